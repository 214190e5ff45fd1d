#pragma once

// The simulated runtime's message queue on the simulated Windows: work runs
// when the test pumps the simulated queue. The simulation has no timers, so
// delayed work runs at the next pump too; virtual time moves only when the
// test says so.

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/sim/SimWindowManager.h"
#include "runtime/sim/SimMessageQueue.h"

namespace velmoran::runtime::sim {

class SimPlatformQueue final : public SimMessageQueue {
 public:
  explicit SimPlatformQueue(platform::sim::SimWindowManager& windows) : windows_(windows) {}

  void Post(std::function<void()> work) override { windows_.PostCallback(std::move(work)); }
  void PostAfter(std::uint32_t /*milliseconds*/, std::function<void()> work) override {
    windows_.PostCallback(std::move(work));
  }

 private:
  platform::sim::SimWindowManager& windows_;
};

}  // namespace velmoran::runtime::sim
