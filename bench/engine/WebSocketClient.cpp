#include "bench/engine/WebSocketClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/evp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <random>
#include <stdexcept>

#include "codec/Base64.h"

namespace velmoran::bench::engine {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kContinuation = 0x0;
constexpr std::uint8_t kText = 0x1;
constexpr std::uint8_t kBinary = 0x2;
constexpr std::uint8_t kClose = 0x8;
constexpr std::uint8_t kPing = 0x9;

std::runtime_error Failure(const std::string& what) { return std::runtime_error("websocket: " + what); }

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(left);
}

// A blocking TCP connection to 127.0.0.1: the endpoint is always on this machine.
int ConnectLoopback(std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw Failure(std::string("socket: ") + std::strerror(errno));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    ::close(fd);
    throw Failure("cannot connect to 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(error));
  }
  // Commands are small and each is awaited: Nagle's delay would only add latency.
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return fd;
}

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) throw Failure(std::string("send: ") + std::strerror(errno));
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
}

struct Address {
  std::uint16_t port = 0;
  std::string host;
  std::string path;
};

Address ParseUrl(std::string_view url) {
  constexpr std::string_view kScheme = "ws://";
  if (url.substr(0, kScheme.size()) != kScheme) throw Failure("not a ws:// address: " + std::string(url));
  url.remove_prefix(kScheme.size());
  const std::size_t slash = url.find('/');
  const std::string_view authority = url.substr(0, slash);
  const std::size_t colon = authority.rfind(':');
  if (colon == std::string_view::npos) throw Failure("no port in " + std::string(authority));
  Address address;
  address.host = std::string(authority.substr(0, colon));
  const std::string_view digits = authority.substr(colon + 1);
  if (std::from_chars(digits.data(), digits.data() + digits.size(), address.port).ec != std::errc())
    throw Failure("bad port in " + std::string(authority));
  address.path = slash == std::string_view::npos ? "/" : std::string(url.substr(slash));
  return address;
}

std::string AcceptKeyFor(const std::string& key) {
  const std::string text = key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11";
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(text.data(), text.size(), digest, &length, EVP_sha1(), nullptr) != 1) throw Failure("SHA-1");
  return codec::EncodeBase64(std::string_view(reinterpret_cast<const char*>(digest), length));
}

std::mt19937& Random() {
  static std::mt19937 generator(std::random_device{}());
  return generator;
}

}  // namespace

WebSocketClient::WebSocketClient(std::string_view url, std::chrono::milliseconds timeout) {
  const Address address = ParseUrl(url);
  socket_ = ConnectLoopback(address.port);
  try {
    Handshake(address.host, address.port, address.path, Clock::now() + timeout);
  } catch (...) {
    ::close(socket_);
    throw;
  }
}

WebSocketClient::~WebSocketClient() {
  if (socket_ >= 0) ::close(socket_);
}

void WebSocketClient::Handshake(std::string_view host, std::uint16_t port, std::string_view path,
                                Clock::time_point deadline) {
  std::string nonce(16, '\0');
  for (char& c : nonce) c = static_cast<char>(Random()() & 0xFF);
  const std::string key = codec::EncodeBase64(nonce);
  std::string request = "GET " + std::string(path) + " HTTP/1.1\r\n";
  request += "Host: " + std::string(host) + ":" + std::to_string(port) + "\r\n";
  request += "Upgrade: websocket\r\nConnection: Upgrade\r\n";
  request += "Sec-WebSocket-Key: " + key + "\r\nSec-WebSocket-Version: 13\r\n\r\n";
  WriteAll(socket_, request);

  std::size_t headerEnd = std::string::npos;
  while ((headerEnd = std::string_view(buffer_.data(), end_).find("\r\n\r\n")) == std::string::npos) {
    FillAtLeast(end_ - start_ + 1, deadline);
  }
  const std::string header(buffer_.data(), headerEnd);
  if (header.compare(0, 12, "HTTP/1.1 101") != 0)
    throw Failure("the endpoint refused the upgrade: " + header.substr(0, header.find('\r')));
  // Header names are case-insensitive; Chromium writes this one as below.
  if (header.find("Sec-WebSocket-Accept: " + AcceptKeyFor(key)) == std::string::npos)
    throw Failure("the endpoint's accept key does not match");
  // What follows the header already belongs to the first frames.
  start_ = headerEnd + 4;
}

void WebSocketClient::FillAtLeast(std::size_t count, Clock::time_point deadline) {
  while (end_ - start_ < count) {
    if (start_ + count > buffer_.size()) {
      // Room for the whole of what is awaited: a large message is read straight to its place.
      if (start_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
        end_ -= start_;
        start_ = 0;
      }
      if (count > buffer_.size()) buffer_.resize(std::max<std::size_t>(count, 1 << 20));
    }
    pollfd readable{socket_, POLLIN, 0};
    const int ready = ::poll(&readable, 1, MillisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) throw Failure(std::string("poll: ") + std::strerror(errno));
    if (ready == 0) throw Failure("nothing complete arrived in time");
    const ssize_t received = ::recv(socket_, buffer_.data() + end_, buffer_.size() - end_, 0);
    if (received < 0 && errno == EINTR) continue;
    if (received < 0) throw Failure(std::string("recv: ") + std::strerror(errno));
    if (received == 0) throw Failure("the endpoint closed the connection");
    end_ += static_cast<std::size_t>(received);
  }
}

void WebSocketClient::SendFrame(std::uint8_t opcode, std::string_view payload) {
  std::string frame;
  frame.reserve(payload.size() + 14);
  frame += static_cast<char>(0x80 | opcode);
  const std::size_t size = payload.size();
  if (size < 126) {
    frame += static_cast<char>(0x80 | size);
  } else if (size <= 0xFFFF) {
    frame += static_cast<char>(0x80 | 126);
    frame += static_cast<char>(size >> 8);
    frame += static_cast<char>(size & 0xFF);
  } else {
    frame += static_cast<char>(0x80 | 127);
    for (int shift = 56; shift >= 0; shift -= 8) frame += static_cast<char>((size >> shift) & 0xFF);
  }
  char mask[4];
  for (char& c : mask) c = static_cast<char>(Random()() & 0xFF);
  frame.append(mask, 4);
  const std::size_t start = frame.size();
  frame.append(payload);
  for (std::size_t i = 0; i < size; ++i) frame[start + i] = static_cast<char>(frame[start + i] ^ mask[i & 3]);
  WriteAll(socket_, frame);
}

void WebSocketClient::SendText(std::string_view text) { SendFrame(kText, text); }

std::string_view WebSocketClient::Receive(std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  fragments_.clear();
  for (;;) {
    FillAtLeast(2, deadline);
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(buffer_[start_ + i]); };
    const bool final = (byte(0) & 0x80) != 0;
    const std::uint8_t opcode = byte(0) & 0x0F;
    const bool masked = (byte(1) & 0x80) != 0;
    std::uint64_t size = byte(1) & 0x7F;
    std::size_t header = 2;
    if (size == 126 || size == 127) {
      const std::size_t extra = size == 126 ? 2 : 8;
      FillAtLeast(2 + extra, deadline);
      size = 0;
      for (std::size_t i = 0; i < extra; ++i) size = size << 8 | byte(2 + i);
      header += extra;
    }
    if (masked) throw Failure("the endpoint sent a masked frame");
    FillAtLeast(header + size, deadline);
    const std::string_view payload(buffer_.data() + start_ + header, size);
    start_ += header + size;
    if (start_ == end_) start_ = end_ = 0;  // keeps the next large read at the buffer's front
    switch (opcode) {
      case kPing:
        SendFrame(0xA, payload);
        continue;
      case kClose:
        throw Failure("the endpoint closed the connection");
      case kText:
      case kBinary:
      case kContinuation:
        if (final && fragments_.empty()) return payload;
        fragments_.append(payload);
        if (final) return fragments_;
        continue;
      default:
        continue;  // pongs and anything unknown carry nothing for us
    }
  }
}

std::string HttpGet(std::uint16_t port, std::string_view path, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  const int fd = ConnectLoopback(port);
  std::string answer;
  try {
    WriteAll(fd, "GET " + std::string(path) + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                     "\r\nConnection: close\r\n\r\n");
    char chunk[16384];
    for (;;) {
      pollfd readable{fd, POLLIN, 0};
      const int ready = ::poll(&readable, 1, MillisecondsLeft(deadline));
      if (ready <= 0) throw Failure("no complete answer from 127.0.0.1:" + std::to_string(port));
      const ssize_t received = ::recv(fd, chunk, sizeof chunk, 0);
      if (received < 0 && errno == EINTR) continue;
      if (received <= 0) break;
      answer.append(chunk, static_cast<std::size_t>(received));
      // The endpoint may keep the connection open: the length says when the body is whole.
      const std::size_t end = answer.find("\r\n\r\n");
      if (end == std::string::npos) continue;
      std::string header = answer.substr(0, end);
      for (char& c : header) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const std::size_t length = header.find("content-length:");
      if (length == std::string::npos) continue;
      const std::size_t expected = std::stoul(header.substr(length + 15));
      if (answer.size() >= end + 4 + expected) break;
    }
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
  const std::size_t end = answer.find("\r\n\r\n");
  if (answer.compare(0, 12, "HTTP/1.1 200") != 0 || end == std::string::npos)
    throw Failure("GET " + std::string(path) + ": " + answer.substr(0, answer.find('\r')));
  return answer.substr(end + 4);
}

}  // namespace velmoran::bench::engine
