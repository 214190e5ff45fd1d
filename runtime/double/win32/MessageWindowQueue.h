#pragma once

// The runtime double's message queue on Windows: a message-only window of the
// library's own, created on the thread that first calls the library (the
// host's user-interface thread). Work is posted to the window, or waits on a
// timer of the window, and runs from the thread's real message dispatch,
// never inside the call that posted it.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>

#include "runtime/sim/SimMessageQueue.h"

namespace velmoran::runtime::doubles {

class MessageWindowQueue final : public sim::SimMessageQueue {
 public:
  explicit MessageWindowQueue(HINSTANCE module);
  ~MessageWindowQueue() override;
  MessageWindowQueue(const MessageWindowQueue&) = delete;
  MessageWindowQueue& operator=(const MessageWindowQueue&) = delete;

  void Post(std::function<void()> work) override;
  void PostAfter(std::uint32_t milliseconds, std::function<void()> work) override;

  // Drops the work not run yet and the window: the library is unloading, and
  // nothing may reach its code afterwards. Later posts are dropped too.
  void Close();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  std::uintptr_t Keep(std::function<void()> work);
  void Run(std::uintptr_t id);

  HINSTANCE module_;
  HWND window_ = nullptr;
  std::map<std::uintptr_t, std::function<void()>> waiting_;
  std::uintptr_t nextId_ = 1;
};

}  // namespace velmoran::runtime::doubles
