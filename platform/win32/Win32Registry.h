#pragma once

#include "platform/Registry.h"

namespace velmoran::platform::win32 {

class Win32Registry final : public Registry {
 public:
  std::uint32_t RegOpenKeyExW(Handle parent, std::u16string_view subKey, std::uint32_t samDesired,
                              Handle& key) override;
  std::uint32_t RegQueryValueExW(Handle key, std::u16string_view valueName, std::uint32_t& type,
                                 std::vector<std::uint8_t>& data) override;
  std::uint32_t RegEnumKeyExW(Handle key, std::uint32_t index, std::u16string& name) override;
  std::uint32_t RegCloseKey(Handle key) override;
};

}  // namespace velmoran::platform::win32
