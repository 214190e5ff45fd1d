#include "platform/sim/SimClock.h"

namespace velmoran::platform::sim {
namespace {

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned DaysInMonth(unsigned year, unsigned month) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

SystemTime SimClock::GetLocalTime() {
  SystemTime t = base_;
  std::uint64_t ms = t.milliseconds + elapsedSinceBase_;
  t.milliseconds = static_cast<std::uint16_t>(ms % 1000);
  std::uint64_t s = t.second + ms / 1000;
  t.second = static_cast<std::uint16_t>(s % 60);
  std::uint64_t m = t.minute + s / 60;
  t.minute = static_cast<std::uint16_t>(m % 60);
  std::uint64_t h = t.hour + m / 60;
  t.hour = static_cast<std::uint16_t>(h % 24);
  std::uint64_t days = h / 24;
  t.dayOfWeek = static_cast<std::uint16_t>((t.dayOfWeek + days) % 7);
  while (days > 0) {
    --days;
    if (++t.day > DaysInMonth(t.year, t.month)) {
      t.day = 1;
      if (++t.month > 12) {
        t.month = 1;
        ++t.year;
      }
    }
  }
  return t;
}

std::uint32_t SimClock::GetTickCount() { return ticks_; }

void SimClock::Sleep(std::uint32_t milliseconds) {
  totalSlept_ += milliseconds;
  Advance(milliseconds);
}

void SimClock::SetLocalTime(const SystemTime& time) {
  base_ = time;
  elapsedSinceBase_ = 0;
}

void SimClock::Advance(std::uint32_t milliseconds) {
  ticks_ += milliseconds;  // wraps like the real 32-bit counter
  elapsedSinceBase_ += milliseconds;
}

}  // namespace velmoran::platform::sim
