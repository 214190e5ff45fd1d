#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "codec/Json.h"
#include "tests/codec/JsonTestSupport.h"

namespace velmoran::test {
namespace {

using codec::ParseUtf8Json;

// What the UTF-8 form must give for `bytes`: what the UTF-16 form gives for the widened text.
::testing::AssertionResult DecodesAsWidened(const std::string& bytes) {
  const auto widened = codec::ParseJson(Utf8ToUtf16(bytes));
  const auto direct = ParseUtf8Json(bytes);
  if (widened.has_value() != direct.has_value()) {
    return ::testing::AssertionFailure()
           << (direct ? "decodes, " : "does not decode, ") << "unlike the widened text";
  }
  if (widened && !SameValue(*widened, *direct))
    return ::testing::AssertionFailure() << "decodes to another value";
  return ::testing::AssertionSuccess();
}

TEST(Utf8Json, DecodesAsTheWidenedTextDecodes) {
  const std::vector<std::string> cases = {
      R"({"id":7,"result":{"result":{"type":"string","value":"a\"b\\c\/d\b\f\n\r\t\u00e9\ud83d\ude00"}}})",
      R"({"method":"Runtime.bindingCalled","params":{"name":"p","payload":"\"{\\\"a\\\":1}\"","executionContextId":3}})",
      "[1,-0,0.5,-1.25e+10,2E-3,true,false,null,\"\",[],{}]",
      "{\"벨모란\":\"홍길동 \xF0\x9F\x98\x80\"}",
      "  {\"a\" : [ 1 , 2 ] }  ",
      "\"AppExit\"",
      "\"AppExit\" ",
      "5",
      "5 ",
      "",
      " ",
      "{",
      "[1,]",
      "{\"a\":1,}",
      "01",
      "1.",
      "-",
      "1e",
      "tru",
      "nulls",
      "\"\\x\"",
      "\"\\u12\"",
      "\"\\u12G4\"",
      "\"a\nb\"",
      "\"cut",
      "\"ends in a backslash\\",
      // Invalid UTF-8 inside and outside strings: read as Utf8ToUtf16 reads it.
      "\"\xE2\x82\"",
      "\"\xC0\x80\"",
      "\"\x80\x80\x80\"",
      "\"\xF4\x90\x80\x80\"",
      "\"\xED\xA0\x80\"",
      "\"\xFF\"",
      "\"abc\xE2",
      "\xC2\xA0{}",
      "{}\xC2\xA0",
      "[\xE2\x82]",
  };
  for (const std::string& text : cases) EXPECT_TRUE(DecodesAsWidened(text)) << text;
}

// Plain ASCII goes sixteen bytes a step: every special character, and every
// multi-byte character, at every place of such a step.
TEST(Utf8Json, LongStringsDecodeWithSpecialsAtEveryOffset) {
  for (const std::string special :
       {"\\\"", "\\\\", "\\n", "\\u0041", "\xEB\xB2\xA8", "\xF0\x9F\x98\x80", "\x01"}) {
    for (std::size_t before = 0; before < 40; ++before) {
      const std::string text = "[\"" + std::string(before, 'x') + special + std::string(37, 'y') + "\"]";
      EXPECT_TRUE(DecodesAsWidened(text)) << text;
    }
  }
}

TEST(Utf8Json, NestingLimitIsTheUtf16Forms) {
  const std::string deepest = std::string(codec::kMaxJsonDepth, '[') + std::string(codec::kMaxJsonDepth, ']');
  const std::string deeper = "[" + deepest + "]";
  EXPECT_TRUE(ParseUtf8Json(deepest).has_value());
  EXPECT_FALSE(ParseUtf8Json(deeper).has_value());
  EXPECT_TRUE(DecodesAsWidened(deeper));
}

// A string with escapes is scanned a few thousand bytes at a time: a
// character of any length, or an invalid sequence, across every place where
// such a piece may end still reads as in the widened text.
TEST(Utf8Json, LongEscapedStringsReadEveryCharacterWholeWherePiecesEnd) {
  for (const std::string character :
       {"\xC3\xA9", "\xEB\xB2\xA8", "\xF0\x9F\x98\x80", "\xE2\x82", "\x80\x80\x80\x80\x80", "\xF0\x9F\x98"}) {
    for (std::size_t before = 4088; before < 4102; ++before) {
      std::string text = "[\"\\n";
      text.append(before, 'x').append(character).append(5000, 'y').append(character).append("\\t\"]");
      EXPECT_TRUE(DecodesAsWidened(text)) << before;
    }
  }
}

}  // namespace
}  // namespace velmoran::test
