#include "runtime/chromium/BrowserCommandLine.h"

#include "base/Text.h"

namespace velmoran::runtime::chromium {

std::vector<std::string> BrowserArguments(const BrowserLaunch& launch) {
  std::vector<std::string> arguments = {
      "--remote-debugging-pipe",
      "--no-first-run",
      "--no-default-browser-check",
      // No infobar about the unsupported switches below.
      "--test-type",
      // The machine may have no network and no keyring: nothing is fetched or stored there.
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      "--password-store=basic",
      "--hide-crash-restore-bubble",
      "--class=" + launch.windowClass,
      // An app window has no tab strip or address bar; about:blank is not accepted as an app.
      "--app=data:text/html,",
      // Kept off screen until it is embedded in the host window.
      "--window-position=-20000,-20000",
      "--window-size=800,600",
      // No graphics hardware is assumed: WebGL runs on the software renderer.
      "--enable-unsafe-swiftshader",
  };
  if (!launch.userDataFolder.empty()) arguments.push_back("--user-data-dir=" + launch.userDataFolder);
  if (!launch.language.empty()) arguments.push_back("--lang=" + Utf16ToUtf8(launch.language));
  if (launch.fakeMediaDevices) {
    arguments.emplace_back("--use-fake-device-for-media-stream");
    arguments.emplace_back("--use-fake-ui-for-media-stream");
  }
  for (const std::u16string& argument : SplitWindowsArguments(launch.additionalArguments))
    arguments.push_back(Utf16ToUtf8(argument));
  return arguments;
}

std::string ShellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

std::string BrowserStartScript(const BrowserLaunch& launch) {
  // Appended piece by piece: GCC's -O3 restrict check misreads "literal" + temporary here.
  std::string script;
  // Chromium's sandbox refuses to start as root.
  script += "[ \"$EUID\" = 0 ] && set -- --no-sandbox; ";
  script += "exec 3<>/dev/tcp/127.0.0.1/";
  script += std::to_string(launch.port);
  script += " || exit 1; printf '%s\\0' ";
  script += ShellQuoted(launch.greeting);
  script += " >&3; ";
  script += ShellQuoted(launch.executable);
  script += " \"$@\"";
  for (const std::string& argument : BrowserArguments(launch)) {
    script += ' ';
    script += ShellQuoted(argument);
  }
  script += " 4>&3 </dev/null >";
  script += ShellQuoted(launch.userDataFolder.empty() ? std::string("/dev/null")
                                                      : launch.userDataFolder + "/chromium-output.log");
  script += " 2>&1";
  // Chromium's end, with its exit status, as one more message on the pipe; the
  // empty message before it ends whatever message a dying Chromium left half written.
  script += "; printf '\\0{\"method\":\"";
  script += kBrowserExitedEvent;
  script += "\",\"params\":{\"exitCode\":%d}}\\0' $? >&3";
  return script;
}

std::vector<std::u16string> SplitWindowsArguments(std::u16string_view text) {
  std::vector<std::u16string> arguments;
  std::u16string current;
  bool inArgument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size();) {
    const char16_t c = text[i];
    if (c == u'\\') {
      std::size_t slashes = 0;
      while (i < text.size() && text[i] == u'\\') {
        ++slashes;
        ++i;
      }
      inArgument = true;
      if (i < text.size() && text[i] == u'"') {
        // 2n backslashes before a quote are n backslashes and a quote that groups; 2n+1 are n and a literal
        // quote.
        current.append(slashes / 2, u'\\');
        if (slashes % 2 == 1) {
          current += u'"';
          ++i;
        }
      } else {
        current.append(slashes, u'\\');
      }
      continue;
    }
    if (c == u'"') {
      inArgument = true;
      if (quoted && i + 1 < text.size() && text[i + 1] == u'"') {
        current += u'"';
        i += 2;
        continue;
      }
      quoted = !quoted;
      ++i;
      continue;
    }
    if ((c == u' ' || c == u'\t') && !quoted) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
      ++i;
      continue;
    }
    current += c;
    inArgument = true;
    ++i;
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

std::u16string JoinWindowsArguments(const std::vector<std::u16string>& arguments) {
  std::u16string line;
  for (const std::u16string& argument : arguments) {
    if (!line.empty()) line += u' ';
    line += u'"';
    std::size_t slashes = 0;
    for (char16_t c : argument) {
      if (c == u'\\') {
        ++slashes;
        continue;
      }
      if (c == u'"') {
        line.append(slashes * 2 + 1, u'\\');
      } else {
        line.append(slashes, u'\\');
      }
      slashes = 0;
      line += c;
    }
    // Backslashes before the closing quote are doubled, or they would escape it.
    line.append(slashes * 2, u'\\');
    line += u'"';
  }
  return line;
}

}  // namespace velmoran::runtime::chromium
