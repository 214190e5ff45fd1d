// A protocol message as big as a capture makes it, read whole.

#include <gtest/gtest.h>

#include <string>

#include "base/Text.h"
#include "codec/Json.h"
#include "runtime/chromium/DevToolsMessage.h"
#include "tests/codec/JsonTestSupport.h"

namespace velmoran::test {
namespace {

using runtime::chromium::ParseDevToolsMessage;
using runtime::chromium::TextMember;

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
  // Decoded straight from UTF-8 as from the widened text.
  const auto direct = codec::ParseUtf8Json(message);
  const auto widened = codec::ParseJson(Utf8ToUtf16(message));
  ASSERT_TRUE(direct.has_value() && widened.has_value());
  EXPECT_TRUE(SameValue(*direct, *widened));
}

}  // namespace
}  // namespace velmoran::test
