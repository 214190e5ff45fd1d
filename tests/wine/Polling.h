#pragma once

// Waiting for another process: poll a condition until it holds or a bound
// passes. The bound only keeps a broken run from hanging; no test asserts
// how long anything took.

#include <windows.h>

namespace velmoran::test {

inline constexpr DWORD kPatience = 30000;

template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds = kPatience) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= end) return false;
    ::Sleep(25);
  }
}

}  // namespace velmoran::test
