#include "tools/apache-httpd/LoopbackSocketPair.h"

#include <windows.h>

namespace {

void CloseIfOpen(SOCKET& socket) {
  if (socket != INVALID_SOCKET) ::closesocket(socket);
  socket = INVALID_SOCKET;
}

}  // namespace

LoopbackSocketPair OpenLoopbackSocketPair() {
  LoopbackSocketPair pair;
  SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  address.sin_port = 0;  // any free port; only the two ends ever use it
  int length = sizeof(address);
  auto* generic = reinterpret_cast<sockaddr*>(&address);
  bool ok = listener != INVALID_SOCKET && ::bind(listener, generic, sizeof(address)) == 0 &&
            ::listen(listener, 1) == 0 && ::getsockname(listener, generic, &length) == 0;
  if (ok) {
    // Without WSA_FLAG_OVERLAPPED: a child's standard handles must be usable
    // for plain synchronous reads and writes.
    pair.theirs = ::WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, 0);
    ok = pair.theirs != INVALID_SOCKET && ::connect(pair.theirs, generic, sizeof(address)) == 0;
  }
  if (ok) {
    // Accept only the connection just made: another local program could race
    // for the port, so the peer's port must be the one our socket was bound to.
    sockaddr_in theirAddress{};
    int theirLength = sizeof(theirAddress);
    ok = ::getsockname(pair.theirs, reinterpret_cast<sockaddr*>(&theirAddress), &theirLength) == 0;
    sockaddr_in peer{};
    int peerLength = sizeof(peer);
    if (ok) pair.ours = ::accept(listener, reinterpret_cast<sockaddr*>(&peer), &peerLength);
    ok = ok && pair.ours != INVALID_SOCKET && peer.sin_port == theirAddress.sin_port &&
         peer.sin_addr.s_addr == theirAddress.sin_addr.s_addr;
  }
  if (ok) {
    ok = ::SetHandleInformation(reinterpret_cast<HANDLE>(pair.theirs), HANDLE_FLAG_INHERIT,
                                HANDLE_FLAG_INHERIT) != FALSE &&
         ::SetHandleInformation(reinterpret_cast<HANDLE>(pair.ours), HANDLE_FLAG_INHERIT, 0) != FALSE;
  }
  const int error = ok ? 0 : ::WSAGetLastError();
  CloseIfOpen(listener);
  if (!ok) {
    CloseIfOpen(pair.ours);
    CloseIfOpen(pair.theirs);
    ::WSASetLastError(error != 0 ? error : WSAECONNREFUSED);
  }
  return pair;
}
