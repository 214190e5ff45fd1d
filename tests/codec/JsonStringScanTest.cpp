// The bulk scans of string content must find exactly what a scan one code
// unit at a time finds, wherever in a block the character stands. Both the
// vector version of this build and the portable one of the 32-bit Windows
// build are checked.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "codec/JsonStringScan.h"

namespace velmoran::test {
namespace {

using codec::json_scan::FindQuote;
using codec::json_scan::FindQuotePortable;
using codec::json_scan::FindStringSpecial;
using codec::json_scan::FindStringSpecialPortable;

bool IsStop(char16_t c) { return c == u'"' || c == u'\\' || c < 0x20; }

// Content units that share a byte, or the sign bit, with the characters
// looked for, so that a scan comparing the wrong width or signedness fails,
// and units that saturate to the byte range's edges when packed.
constexpr char16_t kLookalikes[] = {u'a',   0x0122, 0x015C, 0x2200, 0x225C, 0x2000, 0x0120,     0x8000,
                                    0xD55C, 0xFFFF, 0x0020, 0x7F22, 0x005D, 0x0023, 0x001F + 1, 0x0080,
                                    0x00A2, 0x7FFF, 0xFF80, 0xFF9F, 0xFFA2, 0xFFDC};

TEST(JsonStringScan, FindsTheFirstStopAtEveryPosition) {
  const std::u16string stops = {u'"', u'\\', 0x00, 0x0A, 0x1F};
  for (std::size_t length = 0; length <= 80; ++length) {
    std::u16string text(length, u'a');
    for (std::size_t i = 0; i < length; ++i) text[i] = kLookalikes[(i * 7) % std::size(kLookalikes)];
    const char16_t* begin = text.data();
    const char16_t* end = begin + length;
    ASSERT_EQ(FindStringSpecial(begin, end), end) << length;
    ASSERT_EQ(FindStringSpecialPortable(begin, end), end) << length;
    ASSERT_EQ(FindQuote(begin, end), end) << length;
    ASSERT_EQ(FindQuotePortable(begin, end), end) << length;

    for (std::size_t at = 0; at < length; ++at) {
      for (const char16_t stop : stops) {
        std::u16string marked = text;
        marked[at] = stop;
        if (at + 3 < length) marked[at + 3] = u'"';  // a later stop must not win
        const char16_t* b = marked.data();
        const char16_t* e = b + length;
        const char16_t* expected = std::find_if(b, e, IsStop);
        ASSERT_EQ(FindStringSpecial(b, e), expected) << length << " " << at;
        ASSERT_EQ(FindStringSpecialPortable(b, e), expected) << length << " " << at;
        const char16_t* quote = std::find(b, e, u'"');
        ASSERT_EQ(FindQuote(b, e), quote) << length << " " << at;
        ASSERT_EQ(FindQuotePortable(b, e), quote) << length << " " << at;
      }
    }
  }
}

// The UTF-8 scans: bytes of multi-byte characters (0x80 and up) share their
// low bits with the characters looked for, and must pass as content.
TEST(JsonStringScan, FindsTheFirstStopInUtf8AtEveryPosition) {
  constexpr unsigned char kByteLookalikes[] = {'a', 0xA2, 0xDC, 0x80, 0x9F, 0xFF, 0xE2, 0x20, 0x7F, 0xC2};
  const std::basic_string<unsigned char> stops = {'"', '\\', 0x00, 0x0A, 0x1F};
  for (std::size_t length = 0; length <= 80; ++length) {
    std::basic_string<unsigned char> text(length, 'a');
    for (std::size_t i = 0; i < length; ++i) text[i] = kByteLookalikes[(i * 7) % std::size(kByteLookalikes)];
    ASSERT_EQ(FindStringSpecial(text.data(), text.data() + length), text.data() + length) << length;
    ASSERT_EQ(FindQuote(text.data(), text.data() + length), text.data() + length) << length;

    for (std::size_t at = 0; at < length; ++at) {
      for (const unsigned char stop : stops) {
        std::basic_string<unsigned char> marked = text;
        marked[at] = stop;
        if (at + 3 < length) marked[at + 3] = '"';  // a later stop must not win
        const unsigned char* b = marked.data();
        const unsigned char* e = b + length;
        const unsigned char* expected = std::find_if(b, e, [](unsigned char c) { return IsStop(c); });
        ASSERT_EQ(FindStringSpecial(b, e), expected) << length << " " << at;
        ASSERT_EQ(FindQuote(b, e), std::find(b, e, '"')) << length << " " << at;
      }
    }
  }
}

}  // namespace
}  // namespace velmoran::test
