#pragma once

// The runtime double's message queue on Windows: the simulated runtime's
// queue seam answered by the library's queue to the host's thread, so its
// work runs from the thread's real message dispatch.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>

#include "runtime/sim/SimMessageQueue.h"
#include "runtime/win32/UiThreadQueue.h"

namespace velmoran::runtime::doubles {

class MessageWindowQueue final : public sim::SimMessageQueue {
 public:
  explicit MessageWindowQueue(HINSTANCE module) : queue_(module, L"VelmoranRuntimeDoubleQueue") {}

  void Post(std::function<void()> work) override { queue_.Post(std::move(work)); }
  void PostAfter(std::uint32_t milliseconds, std::function<void()> work) override {
    queue_.PostAfter(milliseconds, std::move(work));
  }
  // The library is unloading: see UiThreadQueue::Close.
  void Close() { queue_.Close(); }

 private:
  UiThreadQueue queue_;
};

}  // namespace velmoran::runtime::doubles
