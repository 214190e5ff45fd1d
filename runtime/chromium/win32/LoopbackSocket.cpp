#include "runtime/chromium/win32/LoopbackSocket.h"

#include <ws2tcpip.h>

#include <random>

namespace velmoran::runtime::chromium {

bool StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

std::string MakeGreeting() {
  std::random_device device;
  std::mt19937_64 generator((static_cast<std::uint64_t>(device()) << 32) ^ device() ^ ::GetTickCount64());
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string greeting = "velmoran-";
  for (int i = 0; i < 24; ++i) greeting += kDigits[generator() % 36];
  return greeting;
}

LoopbackListener::~LoopbackListener() { Close(); }

bool LoopbackListener::Listen() {
  if (!StartWinsock()) return false;
  socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (socket_ == INVALID_SOCKET) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int length = sizeof(address);
  if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      ::listen(socket_, 4) != 0 ||
      ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    Close();
    return false;
  }
  port_ = ntohs(address.sin_port);
  return true;
}

void LoopbackListener::Close() {
  if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

namespace {

// Reads exactly the greeting and its terminator, within the time left.
bool ReadGreeting(SOCKET connection, std::string_view greeting, char terminator, ULONGLONG deadline) {
  std::string received;
  while (received.size() < greeting.size() + 1) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return false;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(connection, &readable);
    timeval wait{static_cast<long>((deadline - now) / 1000),
                 static_cast<long>((deadline - now) % 1000 * 1000)};
    if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) return false;
    char c = 0;
    if (::recv(connection, &c, 1, 0) != 1) return false;
    received += c;
  }
  return received.compare(0, greeting.size(), greeting) == 0 && received.back() == terminator;
}

}  // namespace

SOCKET LoopbackListener::AcceptGreeted(std::string_view greeting, char terminator, DWORD timeoutMs,
                                       const std::atomic<bool>* cancel) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  SOCKET accepted = INVALID_SOCKET;
  while (socket_ != INVALID_SOCKET && accepted == INVALID_SOCKET) {
    if (cancel != nullptr && cancel->load()) break;
    if (::GetTickCount64() >= deadline) break;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    // Short waits, so a cancellation is seen soon.
    timeval wait{0, 200 * 1000};
    const int ready = ::select(0, &readable, nullptr, nullptr, &wait);
    if (ready < 0) break;
    if (ready == 0) continue;
    SOCKET connection = ::accept(socket_, nullptr, nullptr);
    if (connection == INVALID_SOCKET) continue;
    if (ReadGreeting(connection, greeting, terminator, deadline)) {
      accepted = connection;
    } else {
      ::closesocket(connection);
    }
  }
  Close();
  return accepted;
}

bool SendAll(SOCKET socket, std::string_view bytes) {
  while (!bytes.empty()) {
    const int chunk = bytes.size() > 1u << 20 ? 1 << 20 : static_cast<int>(bytes.size());
    const int sent = ::send(socket, bytes.data(), chunk, 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

}  // namespace velmoran::runtime::chromium
