#pragma once

// Four-part version numbers (major.minor.build.revision) of the runtime, its
// client library and the loader library.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmoran::webview {

struct FourPartVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t revision = 0;
};

// True when `version` is `minimum` or later: the four numbers are compared in
// order as unsigned values and the first difference decides.
bool IsVersionAtLeast(const FourPartVersion& version, const FourPartVersion& minimum);

// The four numbers in decimal joined by ".": "135.0.3179.45".
std::u16string VersionText(const FourPartVersion& version);

// Reads four whole numbers, each ended by the first character that cannot
// continue it (the "." of a normal version text). Anything after the fourth
// is ignored ("120.0.2210.91 beta" is 120.0.2210.91); fewer than four fail.
// A number too large for 32 bits fails too rather than wrapping.
bool ParseFourPartVersion(std::u16string_view text, FourPartVersion& version);

}  // namespace velmoran::webview
