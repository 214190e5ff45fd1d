#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace velmoran::platform::win32 {

SystemTime Win32Clock::GetLocalTime() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  return SystemTime{st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
                    st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
}

std::uint32_t Win32Clock::GetTickCount() { return ::GetTickCount(); }

void Win32Clock::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace velmoran::platform::win32
