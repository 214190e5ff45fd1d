#include <gtest/gtest.h>

#include "base/Text.h"

namespace velmoran::test {
namespace {

TEST(Text, Utf8RoundTripKeepsKoreanAndAstralCharacters) {
  const std::u16string text = u"벨모란-VELMORAN \U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(u"벨"), "\xEB\xB2\xA8");
}

TEST(Text, UnpairedSurrogateBecomesReplacementCharacter) {
  const std::u16string lone(1, static_cast<char16_t>(0xD800));
  EXPECT_EQ(Utf16ToUtf8(lone), "\xEF\xBF\xBD");
}

TEST(Text, InvalidUtf8BecomesReplacementCharacter) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD");
}

// Long runs of ASCII go sixteen bytes a step; a multi-byte character at any
// place inside or at the edge of such a block still decodes, as does one cut
// off at the very end.
TEST(Text, Utf8WithLongAsciiRunsDecodesAtEveryOffset) {
  for (std::size_t before = 0; before < 40; ++before) {
    for (std::size_t after = 0; after < 20; ++after) {
      const std::u16string text = std::u16string(before, u'a') + u"벨😀" + std::u16string(after, u'z');
      EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text) << before << " " << after;
    }
    EXPECT_EQ(Utf8ToUtf16(std::string(before, 'b') + "\xE2\x82"), std::u16string(before, u'b') + u"\uFFFD");
  }
  const std::string large(3 * 1024 * 1024 + 7, 'Q');
  EXPECT_EQ(Utf8ToUtf16(large), std::u16string(large.size(), u'Q'));
}

// Every length at every alignment the terminator can have.
TEST(Text, Utf16LengthFindsTheTerminatorWherever) {
  std::u16string buffer(80, u'x');
  for (std::size_t start = 0; start < 8; ++start) {
    for (std::size_t length = 0; length < 60; ++length) {
      std::u16string text = buffer;
      text[start + length] = u'\0';
      EXPECT_EQ(Utf16Length(text.c_str() + start), length) << start << " " << length;
    }
  }
  const std::u16string large(3 * 1024 * 1024 + 3, u'\uAC00');
  EXPECT_EQ(Utf16Length(large.c_str()), large.size());
}

TEST(Text, Hex8IsEightUpperCaseDigitsOfTheBitPattern) {
  EXPECT_EQ(Hex8(0x80004004u), u"80004004");
  EXPECT_EQ(Hex8(static_cast<std::uint32_t>(-2147024891)), u"80070005");
  EXPECT_EQ(Hex8(0xabcu), u"00000ABC");
}

TEST(Text, AsciiCaseFoldingLeavesOtherLettersAlone) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase(u"HTTPD.EXE", u"httpd.exe"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase(u"httpd.exe ", u"httpd.exe"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase(u"Ä", u"ä"));
}

TEST(Text, TrimmingTakesBlanksAndControlsFromTheEndsOnly) {
  EXPECT_EQ(TrimSpacesAndControls(u" \t\r\n\x01 a b\u00A0 \r\n"), u"a b\u00A0");
  EXPECT_EQ(TrimSpacesAndControls(u" \x1F "), u"");
  EXPECT_EQ(TrimSpacesAndControls(u""), u"");
  EXPECT_EQ(TrimTrailingSpacesAndControls(u" Access is denied.\r\n"), u" Access is denied.");
  EXPECT_EQ(TrimTrailingSpacesAndControls(u"\r\n"), u"");
}

}  // namespace
}  // namespace velmoran::test
