#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/sim/SimLocale.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using platform::sim::SimLocale;

struct ConversionCase {
  std::string name;
  std::uint32_t codePage;
  std::u16string text;
  std::string bytes;
};

class SimLocaleConversions : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(SimLocaleConversions, ConvertsAsWideCharToMultiByte) {
  const ConversionCase& c = GetParam();
  SimLocale locale;
  EXPECT_EQ(locale.WideCharToMultiByte(c.codePage, c.text), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimLocaleConversions,
    ::testing::Values(ConversionCase{"KoreanKeptIn949", 949, u"벨모란", "\xBA\xA7\xB8\xF0\xB6\xF5"},
                      ConversionCase{"MixedTextIn949", 949, u"A벨 B", "A\xBA\xA7 B"},
                      ConversionCase{"KoreanReplacedIn1252", 1252, u"벨모란 V.26", "??? V.26"},
                      ConversionCase{"AsciiUnchangedIn1252", 1252, u"04-28 9:5:07.045:::ok\r\n",
                                     "04-28 9:5:07.045:::ok\r\n"},
                      ConversionCase{"LatinKeptIn1252", 1252, u"café €", "caf\xE9 \x80"},
                      ConversionCase{"BestFitIn1252", 1252, u"ā", "a"},
                      ConversionCase{"AstralCharacterIsADefaultCharacterPerUnit", 1252, u"a\U0001F600b",
                                     "a??b"},
                      ConversionCase{"UnpairedSurrogateIsDefaultCharacter", 1252,
                                     std::u16string(1, char16_t(0xD800)) + u"x", "?x"},
                      ConversionCase{"Utf8", 65001, u"벨a",
                                     "\xEB\xB2\xA8"
                                     "a"},
                      ConversionCase{"UnknownCodePageGivesNothing", 12345, u"abc", ""}),
    CaseName());

TEST(SimLocale, AnsiCodePageFollowsTheSystemSetting) {
  SimLocale locale;
  EXPECT_EQ(locale.GetACP(), 949u);
  EXPECT_EQ(locale.WideCharToMultiByte(0, u"벨"), "\xBA\xA7");
  locale.SetCodePage(1252);
  EXPECT_EQ(locale.WideCharToMultiByte(0, u"벨"), "?");
}

TEST(SimLocale, LongAsciiLineSurvivesBetweenKoreanText) {
  SimLocale locale;
  const std::string base64(std::size_t{2} * 1024 * 1024, 'Q');
  const std::u16string line = u"벨" + std::u16string(base64.begin(), base64.end()) + u"란";
  EXPECT_EQ(locale.WideCharToMultiByte(949, line), "\xBA\xA7" + base64 + "\xB6\xF5");
}

struct MessageCase {
  std::uint32_t code;
  std::u16string text;
};

void PrintTo(const MessageCase& c, std::ostream* out) { *out << "system message " << c.code; }

class SimLocaleMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(SimLocaleMessages, SystemTextsAreTheEnglishOnes) {
  SimLocale locale;
  EXPECT_EQ(locale.FormatMessageW(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimLocaleMessages,
    ::testing::Values(
        MessageCase{2, u"The system cannot find the file specified.\r\n"},
        MessageCase{3, u"The system cannot find the path specified.\r\n"},
        MessageCase{5, u"Access is denied.\r\n"},
        MessageCase{32,
                    u"The process cannot access the file because it is being used by another process.\r\n"},
        MessageCase{112, u"There is not enough space on the disk.\r\n"},
        MessageCase{123, u"The filename, directory name, or volume label syntax is incorrect.\r\n"},
        MessageCase{193, u"%1 is not a valid Win32 application.\r\n"},
        MessageCase{740, u"The requested operation requires elevation.\r\n"},
        MessageCase{1223, u"The operation was canceled by the user.\r\n"}, MessageCase{9999, u""}));

}  // namespace
}  // namespace velmoran::test
