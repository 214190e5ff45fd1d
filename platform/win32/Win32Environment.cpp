#include "platform/win32/Win32Environment.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace velmoran::platform::win32 {

bool Win32Environment::GetEnvironmentVariableW(std::u16string_view name, std::u16string& value) {
  value.clear();
  const std::wstring wideName = TerminatedWide(name);
  std::vector<wchar_t> buffer(256, L'\0');
  // The variable may change between the size query and the read; ask again then.
  for (int attempt = 0; attempt < 4; ++attempt) {
    ::SetLastError(ERROR_SUCCESS);
    const DWORD length =
        ::GetEnvironmentVariableW(wideName.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      // Zero is also the length of a defined but empty variable.
      return ::GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    }
    if (length < buffer.size()) {
      value = Utf16Text(buffer.data(), length);
      return true;
    }
    buffer.assign(length, L'\0');
  }
  return false;
}

}  // namespace velmoran::platform::win32
