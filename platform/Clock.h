#pragma once

#include <cstdint>

namespace velmoran::platform {

// SYSTEMTIME: local wall-clock time, milliseconds included.
struct SystemTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;  // 1 to 12
  std::uint16_t dayOfWeek = 0;
  std::uint16_t day = 0;
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual SystemTime GetLocalTime() = 0;
  // The 32-bit millisecond counter; it wraps after about 49.7 days.
  virtual std::uint32_t GetTickCount() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace velmoran::platform
