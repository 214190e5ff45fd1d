#pragma once

// The DevTools pipe as the runtime sees it: a reader thread waits for the
// browser's connection, then splits what it reads into messages and posts
// each one to the user-interface thread; writes come from that thread. When
// the connection ends, one last post says so.

#include <winsock2.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "runtime/chromium/win32/LoopbackSocket.h"
#include "runtime/win32/UiThreadQueue.h"

namespace velmoran::runtime::chromium {

class PipeTransport {
 public:
  struct Handlers {
    std::function<void()> connected;                 // the browser said its greeting
    std::function<void(std::string)> message;        // one protocol text
    std::function<void(bool everConnected)> closed;  // no more messages
  };

  // Handlers run on the user-interface thread through `queue`, and only while
  // `alive` can still be locked: the owner's end cuts them off.
  PipeTransport(std::shared_ptr<UiThreadQueue> queue, std::weak_ptr<void> alive, Handlers handlers);
  ~PipeTransport();
  PipeTransport(const PipeTransport&) = delete;
  PipeTransport& operator=(const PipeTransport&) = delete;

  // Starts the reader on `listener`'s next greeted connection.
  void Start(std::unique_ptr<LoopbackListener> listener, std::string greeting, DWORD timeoutMs);

  // One message; false when there is no connection.
  bool Send(std::string text);

  // Ends the connection (the browser then ends itself) and waits for the reader.
  void Close();

 private:
  void Read(std::unique_ptr<LoopbackListener> listener, const std::string& greeting, DWORD timeoutMs);
  void PostToUi(std::function<void()> work);

  std::shared_ptr<UiThreadQueue> queue_;
  std::weak_ptr<void> alive_;
  Handlers handlers_;
  std::mutex mutex_;
  SOCKET socket_ = INVALID_SOCKET;
  std::atomic<bool> closing_{false};
  std::thread reader_;
};

}  // namespace velmoran::runtime::chromium
