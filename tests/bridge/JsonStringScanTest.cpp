// The bulk scans of string content must find exactly what a scan one code
// unit at a time finds, wherever in a block the character stands. Both the
// vector version of this build and the portable one of the 32-bit Windows
// build are checked.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "bridge/JsonStringScan.h"

namespace velmoran::test {
namespace {

bool IsStop(char16_t c) { return c == u'"' || c == u'\\' || c < 0x20; }

// Content units that share a byte, or the sign bit, with the characters
// looked for, so that a scan comparing the wrong width or signedness fails,
// and units that saturate to the byte range's edges when packed.
constexpr char16_t kLookalikes[] = {u'a',   0x0122, 0x015C, 0x2200, 0x225C, 0x2000, 0x0120, 0x8000,
                                    0xD55C, 0xFFFF, 0x0020, 0x7F22, 0x005D, 0x0023, 0x001F + 1,
                                    0x0080, 0x00A2, 0x7FFF, 0xFF80, 0xFF9F, 0xFFA2, 0xFFDC};

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

}  // namespace
}  // namespace velmoran::test
