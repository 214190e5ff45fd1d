#pragma once

// Lenient base64 decoding of the page's image texts. Decoding never fails:
// the standard alphabet (A-Z, a-z, 0-9, '+', '/') is decoded, every other
// character, '=' padding, blanks, line breaks and non-ASCII characters
// included, is skipped. Characters are taken four at a time into three bytes;
// at the end two or three remaining characters give one or two more bytes and
// a single remaining character gives none.

#include <string>
#include <string_view>

namespace velmoran::bridge {

// The image of a capture message: every "data:image/png;base64," (ASCII
// letter case ignored, wherever it stands, as often as it occurs) is removed,
// then the rest is decoded leniently. Occurrences are found left to right and
// do not overlap; a prefix that only forms once another one is removed stays
// as data. One pass over the text.
std::string DecodePngBase64(std::u16string_view text);

// The lenient decode alone, with no prefix removed.
std::string DecodeBase64Lenient(std::u16string_view text);

}  // namespace velmoran::bridge
