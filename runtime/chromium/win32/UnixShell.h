#pragma once

// A long-lived bash on a loopback socket that runs commands for the library
// (xdotool, a version query), one line at a time, and sends back their
// output followed by an end mark. Starting it costs one Unix process start; each command
// after that only its own. It ends by itself when the socket closes, which
// the host's end closes.

#include <winsock2.h>

#include <optional>
#include <string>
#include <string_view>

namespace velmoran::runtime::chromium {

class UnixShell {
 public:
  UnixShell() = default;
  ~UnixShell();
  UnixShell(const UnixShell&) = delete;
  UnixShell& operator=(const UnixShell&) = delete;

  // Starts the helper and waits for it to connect; false when it did not.
  bool Start();
  bool Started() const { return socket_ != INVALID_SOCKET; }

  // Runs one shell command line and gives its standard output; none when the
  // helper is gone or did not answer within `timeoutMs`.
  std::optional<std::string> Run(std::string_view command, DWORD timeoutMs = 20000);

  void Stop();

 private:
  SOCKET socket_ = INVALID_SOCKET;
};

}  // namespace velmoran::runtime::chromium
