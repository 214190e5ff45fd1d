#pragma once

// Two connected TCP sockets on the loopback interface: Windows has no
// socketpair(). Under Wine each one is a real Unix socket, so one end can be
// handed to a Unix process as its standard input and output while this
// process keeps the other; when either process ends, however it ends, the
// other end sees the connection close.

#include <winsock2.h>

struct LoopbackSocketPair {
  SOCKET ours = INVALID_SOCKET;
  SOCKET theirs = INVALID_SOCKET;  // inheritable, for the child's standard handles
};

// Both sockets, or both INVALID_SOCKET with the Winsock error left in
// WSAGetLastError(). Needs WSAStartup first.
LoopbackSocketPair OpenLoopbackSocketPair();
