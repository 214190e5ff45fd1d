#include "app/RecoveryLimit.h"

#include <algorithm>

namespace velmoran::app {

bool RecoveryLimit::Allow(std::uint32_t tick) {
  if (exhausted_) return false;
  // Unsigned differences: a window that spans the counter's wrap is measured right.
  if (count_ == recent_.size() && tick - recent_.front() < kFailureWindowMilliseconds) {
    exhausted_ = true;
    return false;
  }
  if (count_ == recent_.size()) {
    std::rotate(recent_.begin(), recent_.begin() + 1, recent_.end());
    recent_.back() = tick;
  } else {
    recent_[count_++] = tick;
  }
  return true;
}

}  // namespace velmoran::app
