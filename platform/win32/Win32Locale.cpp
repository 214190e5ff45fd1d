#include "platform/win32/Win32Locale.h"

// TODO(platform): forward to the system.
namespace velmoran::platform::win32 {
std::uint32_t Win32Locale::GetACP() { return 0; }
std::string Win32Locale::WideCharToMultiByte(std::uint32_t, std::u16string_view) { return {}; }
std::u16string Win32Locale::TimeSeparator() { return u":"; }
std::u16string Win32Locale::FormatMessageW(std::uint32_t) { return {}; }
}  // namespace velmoran::platform::win32
