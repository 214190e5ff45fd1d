#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"

namespace velmoran::platform::win32 {

namespace {

// The predefined roots carry the system's own handle values, so every handle
// converts the same way.
HKEY ToHkey(Handle handle) { return reinterpret_cast<HKEY>(handle); }

}  // namespace

std::uint32_t Win32Registry::RegOpenKeyExW(Handle parent, std::u16string_view subKey,
                                           std::uint32_t samDesired, Handle& key) {
  HKEY opened = nullptr;
  const std::wstring name = TerminatedWide(subKey);
  const LSTATUS status = ::RegOpenKeyExW(ToHkey(parent), name.c_str(), 0, samDesired, &opened);
  if (status == ERROR_SUCCESS) key = reinterpret_cast<Handle>(opened);
  return static_cast<std::uint32_t>(status);
}

std::uint32_t Win32Registry::RegQueryValueExW(Handle key, std::u16string_view valueName, std::uint32_t& type,
                                              std::vector<std::uint8_t>& data) {
  const std::wstring name = TerminatedWide(valueName);
  // The value may grow between the size query and the read; ask again then.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD valueType = REG_NONE;
    DWORD size = 0;
    LSTATUS status = ::RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &valueType, nullptr, &size);
    if (status != ERROR_SUCCESS) return static_cast<std::uint32_t>(status);
    data.assign(size, 0);
    status = ::RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &valueType,
                                data.empty() ? nullptr : data.data(), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return static_cast<std::uint32_t>(status);
    data.resize(size);
    type = valueType;
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

std::uint32_t Win32Registry::RegEnumKeyExW(Handle key, std::uint32_t index, std::u16string& name) {
  // Key names are at most 255 characters.
  wchar_t buffer[256] = {};
  DWORD length = 256;
  const LSTATUS status =
      ::RegEnumKeyExW(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) name = Utf16Text(buffer, length);
  return static_cast<std::uint32_t>(status);
}

std::uint32_t Win32Registry::RegCloseKey(Handle key) {
  return static_cast<std::uint32_t>(::RegCloseKey(ToHkey(key)));
}

}  // namespace velmoran::platform::win32
