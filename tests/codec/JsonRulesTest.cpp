// The decoding rules the page bridge relies on: numbers as written, the
// first of duplicate keys, the depth limit, where white space may stand,
// escapes, and the page's string-wrapped capture message.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "codec/Json.h"
#include "codec/JsonInString.h"

namespace velmoran::test {
namespace {

using codec::JsonKind;
using codec::JsonStringContent;
using codec::JsonStringLiteralBody;
using codec::JsonTexts;
using codec::JsonValue;
using codec::kMaxJsonDepth;
using codec::ParseJson;
using codec::ParseJsonInString;
using codec::ParseJsonKeeping;

std::u16string Repeat(std::u16string_view piece, std::size_t count) {
  std::u16string out;
  for (std::size_t i = 0; i < count; ++i) out += piece;
  return out;
}

std::u16string NestedArrays(std::size_t depth) { return Repeat(u"[", depth) + Repeat(u"]", depth); }

std::u16string NestedObjects(std::size_t depth) {
  return Repeat(u"{\"k\":", depth - 1) + u"{}" + Repeat(u"}", depth - 1);
}

TEST(JsonRules, NumbersKeepTheirTextAsWritten) {
  const auto value = ParseJson(u"[1.50, 1e3, -0, 7, 0.0, -12.5E-07, 123456789012345678901234567890]");
  ASSERT_TRUE(value);
  std::vector<std::u16string> texts;
  for (const auto& item : value->items()) {
    EXPECT_TRUE(item.IsNumber());
    texts.push_back(item.text());
  }
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"1.50", u"1e3", u"-0", u"7", u"0.0", u"-12.5E-07",
                                                u"123456789012345678901234567890"}));
}

TEST(JsonRules, FirstOfDuplicateKeysWinsAndMembersKeepTheirOrder) {
  const auto value = ParseJson(u"{\"index\":3,\"b\":null,\"index\":4,\"Index\":5}");
  ASSERT_TRUE(value && value->IsObject());
  ASSERT_NE(value->Find(u"index"), nullptr);
  EXPECT_EQ(value->Find(u"index")->text(), u"3");
  EXPECT_EQ(value->Find(u"Index")->text(), u"5");
  EXPECT_EQ(value->Find(u"INDEX"), nullptr);
  ASSERT_EQ(value->members().size(), 4u);
  EXPECT_EQ(value->members()[2].first, u"index");
  EXPECT_EQ(value->members()[2].second.text(), u"4");
}

TEST(JsonRules, NestingStopsAtTheDepthLimit) {
  EXPECT_TRUE(ParseJson(NestedArrays(kMaxJsonDepth)));
  EXPECT_FALSE(ParseJson(NestedArrays(kMaxJsonDepth + 1)));
  EXPECT_TRUE(ParseJson(NestedObjects(kMaxJsonDepth)));
  EXPECT_FALSE(ParseJson(NestedObjects(kMaxJsonDepth + 1)));

  // The deepest value is really there, and it is released safely.
  auto deepest = ParseJson(NestedArrays(kMaxJsonDepth));
  const JsonValue* level = &*deepest;
  std::size_t depth = 1;
  while (!level->items().empty()) {
    level = &level->items().front();
    ++depth;
  }
  EXPECT_EQ(depth, kMaxJsonDepth);
}

TEST(JsonRules, HostileDepthFailsWithoutExhaustingTheStack) {
  EXPECT_FALSE(ParseJson(NestedArrays(100000)));
  EXPECT_FALSE(ParseJson(Repeat(u"[", 100000)));
  EXPECT_FALSE(ParseJson(Repeat(u"{\"a\":", 100000)));
  EXPECT_FALSE(ParseJson(Repeat(u"[{\"a\":", 50000)));
}

struct TextCase {
  const char16_t* text;
  bool decodes;
};

class JsonText : public testing::TestWithParam<TextCase> {};

TEST_P(JsonText, DecodesOneValueWithWhiteSpaceOnlyWhereAllowed) {
  EXPECT_EQ(ParseJson(GetParam().text).has_value(), GetParam().decodes) << Utf16ToUtf8(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonText,
    testing::Values(TextCase{u"{}", true}, TextCase{u" \t\r\n{ \"a\" : [ 1 , 2 ] }\r\n ", true},
                    TextCase{u"\n[]\t", true}, TextCase{u" 5", true}, TextCase{u"\t\"AppExit\"", true},
                    TextCase{u"\"AppExit\"", true}, TextCase{u"5 ", false}, TextCase{u"\"AppExit\" ", false},
                    TextCase{u"true\n", false}, TextCase{u"{} x", false}, TextCase{u"{}}", false},
                    TextCase{u"[1] [2]", false}, TextCase{u"", false}, TextCase{u" \r\n", false},
                    TextCase{u"\u00A0{}", false}, TextCase{u"{}\u3000", false}, TextCase{u"\uFEFF{}", false},
                    TextCase{u"{}\f", false}, TextCase{u"[1,]", false}, TextCase{u"{\"a\":1,}", false},
                    TextCase{u"AppExit", false}, TextCase{u"01", false}, TextCase{u"1.", false},
                    TextCase{u"-", false}, TextCase{u".5", false}, TextCase{u"+1", false},
                    TextCase{u"1e", false}, TextCase{u"nul", false}, TextCase{u"truex", false},
                    TextCase{u"{\"a\" 1}", false}, TextCase{u"{1:1}", false}, TextCase{u"[\"a\"", false},
                    TextCase{u"\"abc", false}));

TEST(JsonRules, EscapesAreResolvedAndSurrogatesKeptAsCodeUnits) {
  const auto value = ParseJson(uR"("q\" b\\ s\/ \b\f\n\r\t \u00e9\u00E9 \uD834\uDD1E \uDC00x\uD800")");
  ASSERT_TRUE(value && value->IsString());
  const std::u16string expected = u"q\" b\\ s/ \b\f\n\r\t \u00e9\u00e9 \U0001D11E " +
                                  std::u16string(1, char16_t(0xDC00)) + u"x" +
                                  std::u16string(1, char16_t(0xD800));
  EXPECT_EQ(value->text(), expected);
}

TEST(JsonRules, MalformedStringsFail) {
  for (const char16_t* text : {u"\"\\x\"", u"\"\\u12\"", u"\"\\u12G4\"", u"\"\\\"", u"\"a\tb\"", u"\"a\nb\"",
                               u"\"\x01\"", u"\"\\'\"", u"\"\\U0041\""}) {
    EXPECT_FALSE(ParseJson(text)) << Utf16ToUtf8(text);
  }
}

// The bulk scan looks at several code units at once; a special character must
// be found at every position of a block, and code units that only share a
// low or high byte with one must pass as content.
TEST(JsonRules, EveryPositionOfALongStringIsScanned) {
  const std::u16string lookalikes = u"\u0122\u015C\u010A\u2200\u225C\uD55C\uFFFF\u8000";
  for (std::size_t at = 0; at < 70; ++at) {
    std::u16string content(70, u'a');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = lookalikes[i % lookalikes.size()];

    std::u16string escaped = content;
    escaped.replace(at, 1, u"\\\"");
    auto value = ParseJson(u"\"" + escaped + u"\"");
    std::u16string expected = content;
    expected[at] = u'"';
    ASSERT_TRUE(value) << at;
    EXPECT_EQ(value->text(), expected) << at;

    std::u16string withControl = content;
    withControl[at] = u'\x1F';
    EXPECT_FALSE(ParseJson(u"\"" + withControl + u"\"")) << at;

    value = ParseJson(u"[\"" + content.substr(0, at) + u"\",1]");
    ASSERT_TRUE(value) << at;
    EXPECT_EQ(value->items().at(0).text(), content.substr(0, at));
  }
}

// The page posts the text of an object as a string, so the message is a JSON
// string literal whose content is decoded again.
TEST(JsonRules, StringWrappedMessageDecodesTwice) {
  const auto outer = ParseJson(
      uR"("{\"callMode\":\"imgSave\",\"index\":3,\"member_info\":\"{\\\"name\\\":\\\"김민\\\"}\",\"image\":\"data:image/png;base64,iVBO\"}")");
  ASSERT_TRUE(outer && outer->IsString());
  const auto inner = ParseJson(outer->text());
  ASSERT_TRUE(inner && inner->IsObject());
  EXPECT_EQ(inner->Find(u"callMode")->text(), u"imgSave");
  EXPECT_EQ(inner->Find(u"index")->text(), u"3");
  EXPECT_EQ(inner->Find(u"member_info")->text(), u"{\"name\":\"김민\"}");
  EXPECT_EQ(inner->Find(u"image")->text(), u"data:image/png;base64,iVBO");
}

// Borrowing decodes: a string without escapes and a number refer into the
// decoded text; a string with escapes, and every member name, is its own.
TEST(JsonRules, BorrowedTextsReferIntoTheDecodedText) {
  const std::u16string text = u"{\"plain\":\"abc\",\"escaped\":\"a\\nb\",\"number\":-1.50,\"empty\":\"\"}";
  const auto value = ParseJson(text, JsonTexts::kBorrowed);
  ASSERT_TRUE(value && value->IsObject());
  const auto at = [&](std::u16string_view part) { return text.data() + text.find(part); };
  struct Expected {
    const char16_t* key;
    const char16_t* content;
    const char16_t* where;  // nullptr: owned
  };
  for (const Expected& expected :
       {Expected{u"plain", u"abc", at(u"abc")}, Expected{u"escaped", u"a\nb", nullptr},
        Expected{u"number", u"-1.50", at(u"-1.50")}, Expected{u"empty", u"", at(u"\"\"}") + 1}}) {
    const JsonValue* member = value->Find(expected.key);
    ASSERT_NE(member, nullptr) << Utf16ToUtf8(expected.key);
    EXPECT_EQ(member->view(), expected.content) << Utf16ToUtf8(expected.key);
    EXPECT_EQ(member->borrows(), expected.where != nullptr) << Utf16ToUtf8(expected.key);
    if (expected.where != nullptr) {
      EXPECT_EQ(member->view().data(), expected.where) << Utf16ToUtf8(expected.key);
      EXPECT_TRUE(member->text().empty());
    } else {
      EXPECT_EQ(member->text(), expected.content);
    }
  }
  const auto copied = ParseJson(text);
  ASSERT_TRUE(copied);
  for (const auto& [name, member] : copied->members()) {
    EXPECT_FALSE(member.borrows()) << Utf16ToUtf8(name);
    EXPECT_EQ(member.text(), value->Find(name)->view()) << Utf16ToUtf8(name);
  }
}

// A keeping decode holds the first occurrence of each named member of the
// whole-value object and nothing of any other array or object.
TEST(JsonRules, KeepingHoldsOnlyTheNamedMembersOfTheWholeObject) {
  static constexpr std::u16string_view kKeep[] = {u"a", u"b", u"c"};
  const auto object =
      ParseJsonKeeping(uR"({"x":1,"b":[1,{"a":2}],"a":"one","a":"two","c":{"a":3},"y":[[0,0]]})", kKeep);
  ASSERT_TRUE(object);
  ASSERT_EQ(object->members().size(), 3u);
  EXPECT_EQ(object->members()[0].first, u"b");
  EXPECT_TRUE(object->members()[0].second.IsArray() && object->members()[0].second.items().empty());
  EXPECT_EQ(object->Find(u"a")->view(), u"one");
  EXPECT_TRUE(object->Find(u"c")->IsObject() && object->Find(u"c")->members().empty());
  const auto array = ParseJsonKeeping(uR"([{"a":1},2,"a"])", kKeep);
  ASSERT_TRUE(array);
  EXPECT_TRUE(array->IsArray() && array->items().empty());
  EXPECT_FALSE(ParseJsonKeeping(uR"({"a":1,"z":[0,]})", kKeep));
}

// The body of a string literal that is the whole text, as written; none
// wherever ParseJson gives no string.
TEST(JsonRules, StringLiteralBodyIsWhatStandsBetweenTheQuotes) {
  struct Case {
    const char16_t* text;
    const char16_t* body;  // nullptr: none
  };
  for (const Case& c : {
           Case{uR"("a\"b\u0041\/")", uR"(a\"b\u0041\/)"},
           Case{u" \r\n\t\"\"", u""},
           Case{u"\"x\" ", nullptr},    // white space after a lone string
           Case{u"\"x\ny\"", nullptr},  // a raw line break
           Case{u"\"{\n}\"", nullptr},  // ... even where the content could take one as white space
           Case{uR"("{}"{})", nullptr},
           Case{uR"("{}\u12")", nullptr},
           Case{uR"("x\q")", nullptr},
           Case{uR"("x\u00G1")", nullptr},
           Case{uR"("x\u00)", nullptr},
           Case{uR"("x)", nullptr},
           Case{uR"("x"y")", nullptr},
           Case{u"12", nullptr},
           Case{uR"({"a":"b"})", nullptr},
       }) {
    const auto body = JsonStringLiteralBody(c.text);
    const auto value = ParseJson(c.text);
    std::optional<JsonValue> inner;
    EXPECT_EQ(body.has_value(), c.body != nullptr) << Utf16ToUtf8(c.text);
    EXPECT_EQ(value && value->IsString(), c.body != nullptr) << Utf16ToUtf8(c.text);
    EXPECT_EQ(ParseJsonInString(c.text, {}, inner) == JsonStringContent::kNoString, c.body == nullptr)
        << Utf16ToUtf8(c.text);
    if (body && c.body != nullptr) {
      EXPECT_EQ(*body, c.body) << Utf16ToUtf8(c.text);
    }
  }
}

// A string's content decodes as JSON straight from its literal, escapes of
// both levels resolved on the way, with the rules of a direct decode.
TEST(JsonRules, StringContentDecodesFromTheLiteral) {
  static constexpr std::u16string_view kKeep[] = {u"a"};
  struct Nested {
    const char16_t* message;
    bool decodes;
  };
  for (const Nested& nested : {
           Nested{uR"("{\"a\":\"x\",\"b\":[1,\"\\\"q\\\"\"]}")", true},
           Nested{uR"("{\"a\":\"x\ny\"}")", false},      // a raw line break inside an inner string
           Nested{uR"("{\"a\":\"x\u005Cty\"}")", true},  // an escaped backslash starts an inner escape
           Nested{uR"("{\"a\":\"x\u005C\"}")", false},   // ... or escapes the closing quote
           Nested{uR"("{\"a\":\"x\u0022}")", true},      // a quote from a \u escape ends the inner string
           Nested{uR"("{\"a\":\"\\u00e9\\/\\\\\"}")", true},
           Nested{uR"("{\"\u0061\":-1.5\u0065+3}")", true},  // a name and a number with letters from escapes
           Nested{uR"("{\"a\":tru\u0065}")", true},
           Nested{uR"("{\"a\":1}\r\n")", true},  // white space after the object
           Nested{uR"("{\"a\":1} x")", false},
           Nested{uR"("1 ")", false},            // ... but not after a lone number
           Nested{uR"("{\"a\":\"x\"")", false},  // cut short
           Nested{uR"("{\"a\":\"x\\")", false},
           Nested{uR"("{\"a\":\"\\u12\"}")", false},
           Nested{uR"("\"\u0001\"")", false},
           Nested{uR"("")", false},
       }) {
    const auto message = ParseJson(nested.message, JsonTexts::kBorrowed);
    ASSERT_TRUE(message && message->IsString()) << Utf16ToUtf8(nested.message);
    const auto direct = ParseJson(message->view());
    std::optional<JsonValue> inString;
    EXPECT_EQ(ParseJsonInString(nested.message, kKeep, inString),
              nested.decodes ? JsonStringContent::kDecoded : JsonStringContent::kNotJson)
        << Utf16ToUtf8(nested.message);
    EXPECT_EQ(direct.has_value(), nested.decodes) << Utf16ToUtf8(nested.message);
    EXPECT_EQ(inString.has_value(), nested.decodes) << Utf16ToUtf8(nested.message);
    if (direct && inString && direct->IsObject()) {
      EXPECT_EQ(inString->Find(u"a")->kind(), direct->Find(u"a")->kind()) << Utf16ToUtf8(nested.message);
      EXPECT_EQ(inString->Find(u"a")->view(), direct->Find(u"a")->view()) << Utf16ToUtf8(nested.message);
    }
  }
}

// A kept text written without escapes at either level is the literal's own
// text; any other is the value's.
TEST(JsonRules, StringContentBorrowsWhatItHoldsAsWritten) {
  static constexpr std::u16string_view kKeep[] = {u"image", u"pose", u"n"};
  const std::u16string message = uR"("{\"image\":\"iVBOR+/w==\",\"pose\":\"[\\\"x\\\"]\",\"n\":12}")";
  std::optional<JsonValue> inner;
  ASSERT_EQ(ParseJsonInString(message, kKeep, inner), JsonStringContent::kDecoded);
  ASSERT_TRUE(inner);
  EXPECT_TRUE(inner->Find(u"image")->borrows());
  EXPECT_EQ(inner->Find(u"image")->view().data(), message.data() + message.find(u"iVBOR"));
  EXPECT_FALSE(inner->Find(u"pose")->borrows());
  EXPECT_EQ(inner->Find(u"pose")->view(), u"[\"x\"]");
  EXPECT_TRUE(inner->Find(u"n")->borrows());
  EXPECT_EQ(inner->Find(u"n")->view(), u"12");
}

TEST(JsonRules, KindsAndLiterals) {
  const auto value = ParseJson(u"[true,false,null,\"\",{},[]]");
  ASSERT_TRUE(value);
  const auto& items = value->items();
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[0].kind(), JsonKind::True);
  EXPECT_EQ(items[1].kind(), JsonKind::False);
  EXPECT_EQ(items[2].kind(), JsonKind::Null);
  EXPECT_EQ(items[3].kind(), JsonKind::String);
  EXPECT_TRUE(items[4].IsObject() && items[4].members().empty());
  EXPECT_TRUE(items[5].IsArray() && items[5].items().empty());
}

}  // namespace
}  // namespace velmoran::test
