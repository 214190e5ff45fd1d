#include "runtime/chromium/win32/UnixShell.h"

#include "runtime/chromium/win32/LoopbackSocket.h"
#include "runtime/chromium/win32/UnixProgram.h"

namespace velmoran::runtime::chromium {

namespace {

constexpr std::string_view kEndMark = "\n@@velmoran-done\n";

}  // namespace

UnixShell::~UnixShell() { Stop(); }

bool UnixShell::Start() {
  if (Started()) return true;
  LoopbackListener listener;
  if (!listener.Listen()) return false;
  const std::string greeting = MakeGreeting();
  std::string script = "exec 3<>/dev/tcp/127.0.0.1/" + std::to_string(listener.Port()) + " || exit 1; ";
  script += "printf '%s\\n' " + greeting + " >&3; ";
  script +=
      "while IFS= read -r line <&3; do eval \"$line\" >&3 2>/dev/null </dev/null; printf "
      "'\\n@@velmoran-done\\n' >&3; done";
  if (!StartBashScript(script)) return false;
  socket_ = listener.AcceptGreeted(greeting, '\n', 10000);
  return Started();
}

std::optional<std::string> UnixShell::Run(std::string_view command, DWORD timeoutMs) {
  if (!Started()) return std::nullopt;
  std::string line(command);
  line += '\n';
  if (!SendAll(socket_, line)) {
    Stop();
    return std::nullopt;
  }
  std::string output;
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (output.size() < kEndMark.size() ||
         output.compare(output.size() - kEndMark.size(), kEndMark.size(), kEndMark) != 0) {
    const ULONGLONG now = ::GetTickCount64();
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval wait{static_cast<long>((deadline - now) / 1000),
                 static_cast<long>((deadline - now) % 1000 * 1000)};
    char buffer[4096];
    int received = 0;
    if (now >= deadline || ::select(0, &readable, nullptr, nullptr, &wait) <= 0 ||
        (received = ::recv(socket_, buffer, sizeof buffer, 0)) <= 0) {
      // A helper that fell out of step cannot be trusted with the next command.
      Stop();
      return std::nullopt;
    }
    output.append(buffer, static_cast<std::size_t>(received));
  }
  output.resize(output.size() - kEndMark.size());
  return output;
}

void UnixShell::Stop() {
  if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

}  // namespace velmoran::runtime::chromium
