#pragma once

// The smallest WebSocket client the browser's DevTools endpoint needs: one
// blocking connection to a ws:// address on this machine, text messages out
// (masked, as a client must mask them) and whole messages in (fragments
// joined, pings answered). A message of megabytes arrives as one frame, so
// Receive hands it out where it was read, without copying it again.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmoran::bench::engine {

class WebSocketClient {
 public:
  // Opens ws://HOST:PORT/PATH; throws std::runtime_error when it cannot.
  WebSocketClient(std::string_view url, std::chrono::milliseconds timeout);
  ~WebSocketClient();
  WebSocketClient(const WebSocketClient&) = delete;
  WebSocketClient& operator=(const WebSocketClient&) = delete;

  void SendText(std::string_view text);

  // The next whole text message, valid until the next call; throws on a
  // closed connection or when nothing complete came within `timeout`.
  std::string_view Receive(std::chrono::milliseconds timeout);

 private:
  void Handshake(std::string_view host, std::uint16_t port, std::string_view path,
                 std::chrono::steady_clock::time_point deadline);
  void SendFrame(std::uint8_t opcode, std::string_view payload);
  // Reads until at least `count` unconsumed bytes are buffered.
  void FillAtLeast(std::size_t count, std::chrono::steady_clock::time_point deadline);

  int socket_ = -1;
  std::string buffer_;  // bytes read; [start_, end_) not consumed yet
  std::size_t start_ = 0;
  std::size_t end_ = 0;
  std::string fragments_;  // a fragmented message being joined
};

// The body of an HTTP GET to 127.0.0.1:PORT/PATH (the DevTools endpoint's page list).
std::string HttpGet(std::uint16_t port, std::string_view path, std::chrono::milliseconds timeout);

}  // namespace velmoran::bench::engine
