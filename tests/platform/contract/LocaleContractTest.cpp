#include <gtest/gtest.h>

#include <string>

#include "tests/platform/contract/ContractBackend.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

struct ConversionCase {
  const char* name;
  std::uint32_t codePage;
  std::u16string text;
  std::string bytes;
};

void PrintTo(const ConversionCase& c, std::ostream* out) { *out << c.name; }

class LocaleConversions : public ::testing::TestWithParam<ConversionCase> {
 protected:
  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
};

TEST_P(LocaleConversions, ConvertAsWideCharToMultiByteWithoutFlags) {
  const ConversionCase& c = GetParam();
  EXPECT_EQ(backend_->Services().locale().WideCharToMultiByte(c.codePage, c.text), c.bytes);
}

std::u16string Units(std::initializer_list<char16_t> units) { return std::u16string(units); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, LocaleConversions, ::testing::Values(
    ConversionCase{"KoreanIn949",                949,   u"벨모란",         "\xBA\xA7\xB8\xF0\xB6\xF5"},
    ConversionCase{"MixedTextIn949",             949,   u"A벨 B",          "A\xBA\xA7 B"},
    ConversionCase{"EuroIn949",                  949,   u"€",              "\xA2\xE6"},
    ConversionCase{"AnsiCodePageIs949",          0,     u"벨",             "\xBA\xA7"},
    ConversionCase{"KoreanReplacedIn1252",       1252,  u"벨모란 V.26",    "??? V.26"},
    ConversionCase{"AsciiUnchangedIn1252",       1252,  u"04-28 9:5:07.045:::ok\r\n", "04-28 9:5:07.045:::ok\r\n"},
    ConversionCase{"LatinIn1252",                1252,  u"café €",         "caf\xE9 \x80"},
    ConversionCase{"TypographyIn1252",           1252,  u"“™Œ",            "\x93\x99\x8C"},
    ConversionCase{"BestFitIn1252",              1252,  u"ā",              "a"},
    // Each UTF-16 unit of a character outside the code page becomes one default character.
    ConversionCase{"AstralCharacterIn1252",      1252,  u"a\U0001F600b",   "a??b"},
    ConversionCase{"AstralCharacterIn949",       949,   u"a\U0001F600b",   "a??b"},
    ConversionCase{"UnpairedSurrogateIn1252",    1252,  Units({0xD800, u'x'}), "?x"},
    ConversionCase{"UnpairedSurrogateInUtf8",    65001, Units({0xD800, u'x'}), "\xEF\xBF\xBDx"},
    ConversionCase{"Utf8",                       65001, u"벨a",            "\xEB\xB2\xA8" "a"},
    ConversionCase{"UnknownCodePageGivesNothing", 12345, u"abc",           ""}),
    CaseName());
// clang-format on

TEST(LocaleContract, KoreanSystemTexts) {
  // Both backends stand for a Korean Windows: the sim by default, the Wine
  // session by its locale.
  const auto backend = MakeContractBackend();
  platform::Locale& locale = backend->Services().locale();
  EXPECT_EQ(locale.GetACP(), 949u);
  EXPECT_EQ(locale.TimeSeparator(), u":");
  // The words follow the system's language (the sim's are the English ones),
  // the form does not: one sentence, ended by CR LF.
  const std::u16string text = locale.FormatMessageW(platform::kErrorFileNotFound);
  EXPECT_TRUE(text.ends_with(u".\r\n"));
  EXPECT_EQ(text.find(u"\r\n"), text.size() - 2);
  EXPECT_EQ(locale.FormatMessageW(9999), u"") << "a code without a system text";
}

}  // namespace
}  // namespace velmoran::test
