#include "platform/win32/Win32Process.h"

#include <windows.h>

#include <vector>

namespace velmoran::platform::win32 {

bool Win32Process::GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) {
  std::vector<wchar_t> buffer(capacity + 1, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), capacity);
  const DWORD error = ::GetLastError();
  path.assign(reinterpret_cast<const char16_t*>(buffer.data()), length);
  return length != 0 && length < capacity && error != ERROR_INSUFFICIENT_BUFFER;
}

}  // namespace velmoran::platform::win32
