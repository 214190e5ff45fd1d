#pragma once

// Unix programs (xdotool, ImageMagick) started from the Windows test program.
// Wine starts a Unix executable itself but hands back no process to wait on,
// so every command runs through /bin/sh, which leaves its output and exit
// status in files that the test program polls for. Each command is bounded
// by `timeout`, so none outlives its test.

#include <string>

namespace velmoran::test {

struct UnixResult {
  int status = -1;     // the command's exit status; -1 when it never finished
  std::string output;  // standard output and standard error together
};

// `command` is a /bin/sh command line without double quotes.
UnixResult RunUnix(const std::string& command);

// A folder on the Unix side for this test program's own files, made on first
// use and removed at exit.
const std::string& UnixScratchFolder();

// A text as one single-quoted /bin/sh word.
std::string ShellWord(const std::string& text);

}  // namespace velmoran::test
