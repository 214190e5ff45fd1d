#pragma once

// TCP on 127.0.0.1 through Winsock: the only road between this Windows
// library and the Unix programs it starts (Wine gives those no pipes to the
// Windows side). A Unix program connects back with bash's /dev/tcp and first
// sends the greeting it was given, so a stranger connecting to the port
// first is turned away.

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmoran::runtime::chromium {

// Winsock is started once for the library's life.
bool StartWinsock();

// A random text for a started program to say first.
std::string MakeGreeting();

class LoopbackListener {
 public:
  LoopbackListener() = default;
  ~LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  // Listens on a free port; false when no socket could be had.
  bool Listen();
  int Port() const { return port_; }

  // The first connection within `timeoutMs` whose first bytes are `greeting`
  // followed by `terminator` (the greeting is consumed); INVALID_SOCKET when
  // none came. The listener is closed afterwards either way.
  // `cancel`, when set from another thread, ends the wait early.
  SOCKET AcceptGreeted(std::string_view greeting, char terminator, DWORD timeoutMs,
                       const std::atomic<bool>* cancel = nullptr);

  void Close();

 private:
  SOCKET socket_ = INVALID_SOCKET;
  int port_ = 0;
};

// Sends every byte; false when the connection failed.
bool SendAll(SOCKET socket, std::string_view bytes);

}  // namespace velmoran::runtime::chromium
