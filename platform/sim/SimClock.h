#pragma once

#include "platform/Clock.h"

namespace velmoran::platform::sim {

// A virtual clock: time moves only when Sleep is called or a test advances it.
class SimClock final : public Clock {
 public:
  SystemTime GetLocalTime() override;
  std::uint32_t GetTickCount() override;
  void Sleep(std::uint32_t milliseconds) override;

  // Sets the wall-clock time GetLocalTime reports from now on.
  void SetLocalTime(const SystemTime& time);
  void SetTickCount(std::uint32_t ticks) { ticks_ = ticks; }
  // Moves both the tick counter and the wall clock forward.
  void Advance(std::uint32_t milliseconds);
  std::uint64_t TotalSlept() const { return totalSlept_; }

 private:
  SystemTime base_{2026, 4, 2, 28, 9, 5, 7, 45};
  std::uint64_t elapsedSinceBase_ = 0;
  std::uint32_t ticks_ = 1000000;
  std::uint64_t totalSlept_ = 0;
};

}  // namespace velmoran::platform::sim
