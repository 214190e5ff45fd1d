#pragma once

// The seam through which the simulated runtime reaches its host thread's
// message queue. Every completion and event of the runtime is posted here and
// runs later from the thread's message dispatch, never inside the call that
// asked for it. Native tests post through the simulated window manager
// (SimPlatformQueue); the runtime double library posts through a real window
// of its own.

#include <cstdint>
#include <functional>

namespace velmoran::runtime::sim {

class SimMessageQueue {
 public:
  virtual ~SimMessageQueue() = default;

  virtual void Post(std::function<void()> work) = 0;
  // The same, once at least `milliseconds` have passed.
  virtual void PostAfter(std::uint32_t milliseconds, std::function<void()> work) = 0;
};

}  // namespace velmoran::runtime::sim
