#pragma once

// How the browser is started. Wine starts Unix programs too, so the runtime
// starts /bin/bash with a short script: it connects fd 3 to the runtime's
// loopback socket, says who it is, and becomes Chromium in pipe mode, which
// reads the protocol on fd 3 and writes it on fd 4 (here the same socket).
// When the host process ends, the socket closes and Chromium ends with it.

#include <string>
#include <string_view>
#include <vector>

namespace velmoran::runtime::chromium {

struct BrowserLaunch {
  std::string executable = "/usr/bin/chromium";
  int port = 0;
  // Written first on the socket, so the runtime knows the connection is its own browser's.
  std::string greeting;
  std::string userDataFolder;  // Unix path; empty for Chromium's own choice
  // X11 class of the browser's window, by which the runtime finds it to embed it.
  std::string windowClass;
  std::u16string additionalArguments;  // the host's switches, one Windows command line text
  std::u16string language;
  bool fakeMediaDevices = false;  // a demo camera and no permission prompt
  // Downloads: the folder Chromium writes them into while they run (its Unix
  // path and its Windows path), and where a finished one goes (Windows path).
  std::string downloadStagingFolderUnix;
  std::u16string downloadStagingFolder;
  std::u16string downloadFolder;
};

// The switches in the order they are given, one argument each: the
// runtime's own first, then the host's (which Chromium lets win).
std::vector<std::string> BrowserArguments(const BrowserLaunch& launch);

// The message the start script sends on the pipe once Chromium has ended, as
// an event of the protocol: {"method":"Velmoran.browserExited","params":{"exitCode":N}},
// N the exit status as bash gives it (128 + the signal for a killed Chromium).
inline constexpr char kBrowserExitedEvent[] = "Velmoran.browserExited";

// The bash script (the text after "bash -c"): connects to the runtime, greets
// it, runs Chromium on the connection and reports Chromium's end on it.
std::string BrowserStartScript(const BrowserLaunch& launch);

// Splits a Windows command line text into its arguments, as the system's
// argument parsing does (double quotes group, backslashes escape them).
std::vector<std::u16string> SplitWindowsArguments(std::u16string_view text);

// Joins arguments into a Windows command line that splits back into the same
// arguments; Wine hands a Unix program exactly those.
std::u16string JoinWindowsArguments(const std::vector<std::u16string>& arguments);

// `text` as one bash word, taken literally (no expansion, no globbing).
std::string ShellQuoted(std::string_view text);

}  // namespace velmoran::runtime::chromium
