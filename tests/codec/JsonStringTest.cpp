#include <gtest/gtest.h>

#include <string>

#include "base/Text.h"
#include "codec/Json.h"
#include "codec/JsonString.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using codec::JsonStringLiteral;

struct LiteralCase {
  const char* name;
  std::u16string text;
  std::u16string literal;
};

class JsonStringLiteralTest : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(JsonStringLiteralTest, WritesAsTheBrowserAndReadsBack) {
  const LiteralCase& c = GetParam();
  EXPECT_EQ(Utf16ToUtf8(JsonStringLiteral(c.text)), Utf16ToUtf8(c.literal));
  const auto decoded = codec::ParseJson(JsonStringLiteral(c.text));
  ASSERT_TRUE(decoded && decoded->IsString());
  EXPECT_EQ(decoded->view(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Texts, JsonStringLiteralTest,
                         ::testing::Values(LiteralCase{"Empty", u"", u"\"\""},
                                           LiteralCase{"Plain", u"AppExit", u"\"AppExit\""},
                                           LiteralCase{"QuoteAndBackslash", u"a\"b\\c", u"\"a\\\"b\\\\c\""},
                                           LiteralCase{"ShortEscapes", u"\b\f\n\r\t", u"\"\\b\\f\\n\\r\\t\""},
                                           LiteralCase{"OtherControls",
                                                       std::u16string(u"\0\x1f", 2) + u"\x7f",
                                                       u"\"\\u0000\\u001f\x7f\""},
                                           LiteralCase{"SlashAndKorean", u"C:/벨모란", u"\"C:/벨모란\""}),
                         CaseName());

}  // namespace
}  // namespace velmoran::test
