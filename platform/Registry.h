#pragma once

// The registry, read only, with the meanings of the Win32 calls of the same
// names. Every call answers a system error code (ERROR_SUCCESS on success),
// as the Win32 registry calls do instead of setting GetLastError().

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace velmoran::platform {

// The predefined root keys, with the handle values Windows gives them
// (HKEY_CURRENT_USER is (HKEY)(ULONG_PTR)(LONG)0x80000001, sign-extended).
inline constexpr Handle kHkeyCurrentUser =
    static_cast<Handle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000001u)));
inline constexpr Handle kHkeyLocalMachine =
    static_cast<Handle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

// Access right for reading a key, its values and its subkey names.
inline constexpr std::uint32_t kKeyRead = 0x20019;  // KEY_READ

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

inline constexpr std::uint32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kErrorNoMoreItems = 259;

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens `subKey` below `parent` (a root or an open key); `key` receives the
  // new handle on success. Missing keys answer ERROR_FILE_NOT_FOUND.
  virtual std::uint32_t RegOpenKeyExW(Handle parent, std::u16string_view subKey, std::uint32_t samDesired,
                                      Handle& key) = 0;

  // The type and raw bytes of one value; an empty name reads the key's
  // default value. A REG_SZ value holds UTF-16 code units as stored, usually
  // ending in a terminating zero that the caller must not rely on.
  virtual std::uint32_t RegQueryValueExW(Handle key, std::u16string_view valueName, std::uint32_t& type,
                                         std::vector<std::uint8_t>& data) = 0;

  // The name of the subkey at `index`; ERROR_NO_MORE_ITEMS past the last one.
  virtual std::uint32_t RegEnumKeyExW(Handle key, std::uint32_t index, std::u16string& name) = 0;

  virtual std::uint32_t RegCloseKey(Handle key) = 0;
};

}  // namespace velmoran::platform
