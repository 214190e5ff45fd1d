#include "platform/sim/SimProcess.h"

namespace velmoran::platform::sim {

bool SimProcess::GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) {
  if (capacity == 0) {
    path.clear();
    return false;
  }
  if (executablePath_.size() + 1 > capacity) {
    // The system truncates to the buffer, terminator included.
    path = executablePath_.substr(0, capacity - 1);
    return false;
  }
  path = executablePath_;
  return true;
}

}  // namespace velmoran::platform::sim
