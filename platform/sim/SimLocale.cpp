#include "platform/sim/SimLocale.h"

namespace velmoran::platform::sim {

// TODO(platform): iconv-based conversion and the system's error texts.
std::string SimLocale::WideCharToMultiByte(std::uint32_t, std::u16string_view text) {
  return std::string(text.begin(), text.end());
}

std::u16string SimLocale::FormatMessageW(std::uint32_t) { return {}; }

}  // namespace velmoran::platform::sim
