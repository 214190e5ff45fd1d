#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/Text.h"
#include "runtime/chromium/DevToolsMessage.h"
#include "runtime/chromium/Utf8Json.h"

namespace velmoran::test {
namespace {

using runtime::chromium::ParseDevToolsMessage;
using runtime::chromium::ParseUtf8Json;
using runtime::chromium::TextMember;

namespace fs = std::filesystem;
using bridge::JsonValue;

bool SameValue(const JsonValue& a, const JsonValue& b) {
  if (a.kind() != b.kind() || a.view() != b.view() || a.items().size() != b.items().size() ||
      a.members().size() != b.members().size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.items().size(); ++i) {
    if (!SameValue(a.items()[i], b.items()[i])) return false;
  }
  for (std::size_t i = 0; i < a.members().size(); ++i) {
    if (a.members()[i].first != b.members()[i].first ||
        !SameValue(a.members()[i].second, b.members()[i].second))
      return false;
  }
  return true;
}

// What the UTF-8 decoder must give for `bytes`: the bridge's decoder on the widened text.
::testing::AssertionResult DecodesAsWidened(const std::string& bytes) {
  const auto widened = bridge::ParseJson(Utf8ToUtf16(bytes));
  const auto direct = ParseUtf8Json(bytes);
  if (widened.has_value() != direct.has_value()) {
    return ::testing::AssertionFailure()
           << (direct ? "decodes, " : "does not decode, ") << "unlike the widened text";
  }
  if (widened && !SameValue(*widened, *direct))
    return ::testing::AssertionFailure() << "decodes to another value";
  return ::testing::AssertionSuccess();
}

TEST(Utf8Json, DecodesAsTheBridgeDecodesTheWidenedText) {
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

TEST(Utf8Json, NestingLimitIsTheBridges) {
  const std::string deepest =
      std::string(bridge::kMaxJsonDepth, '[') + std::string(bridge::kMaxJsonDepth, ']');
  const std::string deeper = "[" + deepest + "]";
  EXPECT_TRUE(ParseUtf8Json(deepest).has_value());
  EXPECT_FALSE(ParseUtf8Json(deeper).has_value());
  EXPECT_TRUE(DecodesAsWidened(deeper));
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes;
  char chunk[4096];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  return bytes;
}

TEST(Utf8Json, EverySuiteFileDecodesAsTheBridgeDecodesIt) {
  const fs::path folder = fs::path(VELMORAN_TEST_DATA_DIR) / "jsontestsuite" / "test_parsing";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_GT(files.size(), 300u);
  for (const fs::path& file : files)
    EXPECT_TRUE(DecodesAsWidened(ReadBytes(file))) << file.filename().string();
}

// The message a 2 MB capture makes: its payload is the page's JSON text, with escapes.
TEST(Utf8Json, CaptureSizedProtocolMessageGivesItsPayload) {
  std::u16string image(2 * 1024 * 1024 + 5, u'A');
  for (std::size_t i = 0; i < image.size(); i += 4099) image[i] = u'+';
  const std::u16string payload =
      u"\"{\\\"callMode\\\":\\\"imgSave\\\",\\\"name\\\":\\\"홍길동\\\",\\\"image\\\":\\\"" + image +
      u"\\\"}\"";
  std::string message = R"({"method":"Runtime.bindingCalled","params":{"name":"p","payload":)";
  message += '"';
  for (const char16_t c : Utf16ToUtf8(payload)) {
    if (c == '"' || c == '\\') message += '\\';
    message += static_cast<char>(c);
  }
  message += R"(","executionContextId":1},"sessionId":"S"})";
  const auto parsed = ParseDevToolsMessage(message);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->method, u"Runtime.bindingCalled");
  EXPECT_EQ(parsed->sessionId, u"S");
  EXPECT_EQ(TextMember(parsed->body, u"payload"), payload);
  EXPECT_TRUE(DecodesAsWidened(message));
}

}  // namespace
}  // namespace velmoran::test
