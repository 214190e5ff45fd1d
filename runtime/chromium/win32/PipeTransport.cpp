#include "runtime/chromium/win32/PipeTransport.h"

#include <utility>
#include <vector>

#include "runtime/chromium/FrameSplitter.h"

namespace velmoran::runtime::chromium {

PipeTransport::PipeTransport(std::shared_ptr<UiThreadQueue> queue, std::weak_ptr<void> alive,
                             Handlers handlers)
    : queue_(std::move(queue)), alive_(std::move(alive)), handlers_(std::move(handlers)) {}

PipeTransport::~PipeTransport() { Close(); }

void PipeTransport::Start(std::unique_ptr<LoopbackListener> listener, std::string greeting, DWORD timeoutMs) {
  reader_ = std::thread([this, listener = std::move(listener), greeting = std::move(greeting),
                         timeoutMs]() mutable { Read(std::move(listener), greeting, timeoutMs); });
}

void PipeTransport::PostToUi(std::function<void()> work) {
  queue_->Post([alive = alive_, work = std::move(work)] {
    if (auto owner = alive.lock()) work();
  });
}

void PipeTransport::Read(std::unique_ptr<LoopbackListener> listener, const std::string& greeting,
                         DWORD timeoutMs) {
  SOCKET connection = listener->AcceptGreeted(greeting, '\0', timeoutMs, &closing_);
  listener.reset();
  {
    std::lock_guard lock(mutex_);
    if (closing_ && connection != INVALID_SOCKET) {
      ::closesocket(connection);
      connection = INVALID_SOCKET;
    }
    socket_ = connection;
  }
  if (connection == INVALID_SOCKET) {
    PostToUi([this] { handlers_.closed(false); });
    return;
  }
  PostToUi([this] { handlers_.connected(); });
  FrameSplitter splitter;
  std::vector<char> buffer(std::size_t{256} * 1024);
  for (;;) {
    const int received = ::recv(connection, buffer.data(), static_cast<int>(buffer.size()), 0);
    if (received <= 0) break;
    for (std::string& frame :
         splitter.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(received)))) {
      PostToUi([this, frame = std::move(frame)]() mutable { handlers_.message(std::move(frame)); });
    }
  }
  PostToUi([this] { handlers_.closed(true); });
}

bool PipeTransport::Send(std::string text) {
  text += '\0';
  std::lock_guard lock(mutex_);
  return socket_ != INVALID_SOCKET && !closing_ && SendAll(socket_, text);
}

void PipeTransport::Close() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
    if (socket_ != INVALID_SOCKET) {
      // Ends the reader's recv; the browser reads the end of its pipe and quits.
      ::shutdown(socket_, SD_BOTH);
    }
  }
  if (reader_.joinable()) reader_.join();
  std::lock_guard lock(mutex_);
  if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

}  // namespace velmoran::runtime::chromium
