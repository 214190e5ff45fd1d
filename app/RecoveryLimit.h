#pragma once

// How often the shell brings the browser back: a browser that fails a third
// time within a minute is beyond help, and the shell stops trying for good.

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmoran::app {

inline constexpr std::size_t kFailuresToGiveUp = 3;
inline constexpr std::uint32_t kFailureWindowMilliseconds = 60000;

class RecoveryLimit {
 public:
  // Notes a failure at `tick` (GetTickCount, which wraps): true when it may be
  // recovered from, false when it is the third within a minute, and for every
  // failure after that.
  bool Allow(std::uint32_t tick);
  bool Exhausted() const { return exhausted_; }

 private:
  // The ticks of the latest failures, oldest first; count_ of them are filled.
  std::array<std::uint32_t, kFailuresToGiveUp - 1> recent_{};
  std::size_t count_ = 0;
  bool exhausted_ = false;
};

}  // namespace velmoran::app
