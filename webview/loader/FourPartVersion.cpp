#include "webview/loader/FourPartVersion.h"

#include <array>
#include <tuple>

#include "base/Text.h"

namespace velmoran::webview {

bool IsVersionAtLeast(const FourPartVersion& version, const FourPartVersion& minimum) {
  return std::tie(version.major, version.minor, version.build, version.revision) >=
         std::tie(minimum.major, minimum.minor, minimum.build, minimum.revision);
}

std::u16string VersionText(const FourPartVersion& version) {
  return DecimalText(version.major) + u"." + DecimalText(version.minor) + u"." + DecimalText(version.build) +
         u"." + DecimalText(version.revision);
}

bool ParseFourPartVersion(std::u16string_view text, FourPartVersion& version) {
  std::array<std::uint32_t, 4> parts{};
  std::size_t position = 0;
  for (std::uint32_t& part : parts) {
    if (position >= text.size()) return false;
    std::uint64_t value = 0;
    std::size_t digits = 0;
    while (position < text.size() && text[position] >= u'0' && text[position] <= u'9') {
      value = value * 10 + static_cast<std::uint64_t>(text[position] - u'0');
      if (value > 0xFFFFFFFFu) return false;
      ++position;
      ++digits;
    }
    // A part needs a digit: "1..2.3.4" or ".1.2.3" is no version.
    if (digits == 0) return false;
    part = static_cast<std::uint32_t>(value);
    ++position;  // past the character that ended the number
  }
  version = FourPartVersion{parts[0], parts[1], parts[2], parts[3]};
  return true;
}

}  // namespace velmoran::webview
