#pragma once

// Lenient base64 decoding of the page's image texts. Decoding never fails:
// the standard alphabet (A-Z, a-z, 0-9, '+', '/') is decoded, every other
// character, '=' padding, blanks, line breaks and non-ASCII characters
// included, is skipped. Characters are taken four at a time into three bytes;
// at the end two or three remaining characters give one or two more bytes and
// a single remaining character gives none.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmoran::codec {

// The image of a capture message: every "data:image/png;base64," (ASCII
// letter case ignored, wherever it stands, as often as it occurs) is removed,
// then the rest is decoded leniently. Occurrences are found left to right and
// do not overlap; a prefix that only forms once another one is removed stays
// as data. One pass over the text.
std::string DecodePngBase64(std::u16string_view text);

// The lenient decode alone, with no prefix removed.
std::string DecodeBase64Lenient(std::u16string_view text);

// The room DecodePngBase64Into needs for a text of `textSize` code units: the
// decoded bytes and a few spare ones that its wide stores may touch.
std::size_t Base64DecodeCapacity(std::size_t textSize);

// DecodePngBase64 into a buffer of at least Base64DecodeCapacity(text.size())
// bytes that the caller owns (and need not clear); gives how many bytes the
// text decoded to. Saves the image's bytes a second copy on their way to a file.
std::size_t DecodePngBase64Into(std::u16string_view text, char* out);

// Standard base64 with "=" padding: what the page's canvas writes, for the
// tools and tests that stand in for the page.
std::string EncodeBase64(std::string_view bytes);

// The decoders without their SSE2 path, one group of four characters at a
// time: what builds without SSE2 run. Every build has them so that their
// tests run everywhere.
namespace base64_detail {
std::string DecodePngBase64Portable(std::u16string_view text);
std::string DecodeBase64LenientPortable(std::u16string_view text);
}  // namespace base64_detail

}  // namespace velmoran::codec
