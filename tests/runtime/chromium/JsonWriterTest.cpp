#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "runtime/chromium/JsonWriter.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::JsonWriter;

struct WriteCase {
  const char* name;
  std::function<void(JsonWriter&)> write;
  std::string expected;
};

class JsonWriterCases : public ::testing::TestWithParam<WriteCase> {};

TEST_P(JsonWriterCases, WritesTheText) {
  JsonWriter json;
  GetParam().write(json);
  EXPECT_EQ(json.Take(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonWriterCases,
    ::testing::Values(
        WriteCase{"EmptyObject", [](JsonWriter& j) { j.BeginObject().EndObject(); }, "{}"},
        WriteCase{"MembersSeparated",
                  [](JsonWriter& j) {
                    j.BeginObject().Key("a").Number(1).Key("b").Bool(false).Key("c").Null().EndObject();
                  },
                  R"({"a":1,"b":false,"c":null})"},
        WriteCase{"NestedArrayAndObject",
                  [](JsonWriter& j) {
                    j.BeginObject()
                        .Key("list")
                        .BeginArray()
                        .Number(-2)
                        .BeginObject()
                        .EndObject()
                        .String("x")
                        .EndArray()
                        .EndObject();
                  },
                  R"({"list":[-2,{},"x"]})"},
        WriteCase{"RawValueKeptAsIs",
                  [](JsonWriter& j) { j.BeginArray().Raw(R"({"k":[1]})").Number(2).EndArray(); },
                  R"([{"k":[1]},2])"},
        WriteCase{"QuoteAndBackslashEscaped", [](JsonWriter& j) { j.String("a\"b\\c"); }, R"("a\"b\\c")"},
        WriteCase{"ControlsEscaped", [](JsonWriter& j) { j.String(std::string("\n\r\t\b\f\x01\x1f", 7)); },
                  R"("\n\r\t\b\f\u0001\u001f")"},
        WriteCase{"Utf16BecomesUtf8", [](JsonWriter& j) { j.String(u"벨모란 \U0001F600"); },
                  "\"\xEB\xB2\xA8\xEB\xAA\xA8\xEB\x9E\x80 \xF0\x9F\x98\x80\""},
        WriteCase{"LoneSurrogateReplaced",
                  [](JsonWriter& j) { j.String(std::u16string(1, char16_t{0xD800})); }, "\"\xEF\xBF\xBD\""},
        WriteCase{"KeysEscapedToo", [](JsonWriter& j) { j.BeginObject().Key("q\"").Number(0).EndObject(); },
                  R"({"q\"":0})"}),
    CaseName());

}  // namespace
}  // namespace velmoran::test
