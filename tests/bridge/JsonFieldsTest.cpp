#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>

#include "base/Text.h"
#include "bridge/BridgeError.h"
#include "bridge/IntegerText.h"
#include "bridge/JsonFields.h"
#include "codec/Json.h"

namespace velmoran::test {
namespace {

using bridge::BridgeError;
using bridge::JsonGetInt;
using bridge::JsonGetString;
using bridge::JsonGetText;
using bridge::JsonTakeString;
using bridge::ParseIntegerText;
using codec::JsonKind;
using codec::JsonTexts;
using codec::JsonValue;
using codec::ParseJson;

struct IntegerCase {
  const char16_t* text;
  std::optional<std::int32_t> value;
};

void PrintTo(const IntegerCase& c, std::ostream* out) {
  *out << "integer text \"" << Utf16ToUtf8(c.text) << '"';
}

class IntegerTextCases : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTextCases, ConvertsTheWholeText) {
  EXPECT_EQ(ParseIntegerText(GetParam().text), GetParam().value) << Utf16ToUtf8(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    IntegerText, IntegerTextCases,
    ::testing::Values(
        IntegerCase{u"7", 7}, IntegerCase{u"-7", -7}, IntegerCase{u"+7", 7}, IntegerCase{u"007", 7},
        IntegerCase{u"  5", 5}, IntegerCase{u"$1F", 31}, IntegerCase{u"x10", 16}, IntegerCase{u"X10", 16},
        IntegerCase{u"0x10", 16}, IntegerCase{u"0XfF", 255}, IntegerCase{u"-$10", -16},
        IntegerCase{u" +0x7FFFFFFF", 2147483647}, IntegerCase{u"2147483647", 2147483647},
        IntegerCase{u"-2147483648", -2147483647 - 1}, IntegerCase{u"-$80000000", -2147483647 - 1},
        IntegerCase{u"-0", 0}, IntegerCase{u"2147483648", std::nullopt},
        IntegerCase{u"-2147483649", std::nullopt}, IntegerCase{u"$80000000", std::nullopt},
        IntegerCase{u"$FFFFFFFF", std::nullopt}, IntegerCase{u"99999999999999999999", std::nullopt},
        IntegerCase{u"", std::nullopt}, IntegerCase{u" ", std::nullopt}, IntegerCase{u"5 ", std::nullopt},
        IntegerCase{u"\t5", std::nullopt}, IntegerCase{u"5.0", std::nullopt},
        IntegerCase{u"1e3", std::nullopt}, IntegerCase{u"+", std::nullopt}, IntegerCase{u"-", std::nullopt},
        IntegerCase{u"$", std::nullopt}, IntegerCase{u"0x", std::nullopt}, IntegerCase{u"+-5", std::nullopt},
        IntegerCase{u"12a", std::nullopt}, IntegerCase{u"$G", std::nullopt},
        IntegerCase{u"\uFF15", std::nullopt}));

// An object holding one member "k" of each kind, built without the decoder.
JsonValue ObjectWith(JsonValue value) {
  JsonValue object(JsonKind::Object);
  object.members().emplace_back(u"k", std::move(value));
  object.members().emplace_back(u"k", JsonValue(JsonKind::String, u"second"));
  return object;
}

std::u16string ReadErrorOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const BridgeError& error) {
    return error.text();
  }
  return u"(no error)";
}

TEST(JsonGetString, ConvertsEachKind) {
  EXPECT_EQ(JsonGetString(ObjectWith(JsonValue(JsonKind::String, u"a\"b")), u"k"), u"a\"b");
  EXPECT_EQ(JsonGetString(ObjectWith(JsonValue(JsonKind::Number, u"1.50")), u"k"), u"1.50");
  EXPECT_EQ(JsonGetString(ObjectWith(JsonValue(JsonKind::Number, u"1e3")), u"k"), u"1e3");
  EXPECT_EQ(JsonGetString(ObjectWith(JsonValue(JsonKind::True)), u"k"), u"true");
  EXPECT_EQ(JsonGetString(ObjectWith(JsonValue(JsonKind::False)), u"k"), u"false");
  EXPECT_EQ(JsonGetString(ObjectWith(JsonValue(JsonKind::Null)), u"k"), u"");
}

TEST(JsonGetString, RefusesContainersAndAbsentKeys) {
  EXPECT_EQ(ReadErrorOf([] { JsonGetString(ObjectWith(JsonValue(JsonKind::Object)), u"k"); }),
            u"Conversion from TJSONObject to string is not supported");
  EXPECT_EQ(ReadErrorOf([] { JsonGetString(ObjectWith(JsonValue(JsonKind::Array)), u"k"); }),
            u"Conversion from TJSONArray to string is not supported");
  EXPECT_EQ(ReadErrorOf([] { JsonGetString(ObjectWith(JsonValue(JsonKind::Null)), u"K"); }),
            u"Value 'K' not found");
}

TEST(JsonGetInt, ConvertsEachKind) {
  EXPECT_EQ(JsonGetInt(ObjectWith(JsonValue(JsonKind::String, u"5")), u"k"), 5);
  EXPECT_EQ(JsonGetInt(ObjectWith(JsonValue(JsonKind::Number, u"-12")), u"k"), -12);
  EXPECT_EQ(JsonGetInt(ObjectWith(JsonValue(JsonKind::True)), u"k"), 1);
  EXPECT_EQ(JsonGetInt(ObjectWith(JsonValue(JsonKind::False)), u"k"), 0);
}

TEST(JsonGetInt, NamesTheFailure) {
  EXPECT_EQ(ReadErrorOf([] { JsonGetInt(ObjectWith(JsonValue(JsonKind::Number, u"5.0")), u"k"); }),
            u"'5.0' is not a valid integer value");
  EXPECT_EQ(ReadErrorOf([] { JsonGetInt(ObjectWith(JsonValue(JsonKind::String, u"")), u"k"); }),
            u"'' is not a valid integer value");
  EXPECT_EQ(ReadErrorOf([] { JsonGetInt(ObjectWith(JsonValue(JsonKind::Number, u"4294967296")), u"k"); }),
            u"'4294967296' is not a valid integer value");
  EXPECT_EQ(ReadErrorOf([] { JsonGetInt(ObjectWith(JsonValue(JsonKind::Null)), u"k"); }),
            u"Conversion from TJSONNull to Integer is not supported");
  EXPECT_EQ(ReadErrorOf([] { JsonGetInt(ObjectWith(JsonValue(JsonKind::Object)), u"k"); }),
            u"Conversion from TJSONObject to Integer is not supported");
  EXPECT_EQ(ReadErrorOf([] { JsonGetInt(ObjectWith(JsonValue(JsonKind::Array)), u"k"); }),
            u"Conversion from TJSONArray to Integer is not supported");
  EXPECT_EQ(ReadErrorOf([] { JsonGetInt(JsonValue(JsonKind::Object), u"index"); }),
            u"Value 'index' not found");
}

TEST(JsonTakeString, MovesTheFirstOccurrenceAndConvertsLikeJsonGetString) {
  JsonValue object = ObjectWith(JsonValue(JsonKind::String, u"image data"));
  EXPECT_EQ(JsonTakeString(object, u"k"), u"image data");
  EXPECT_EQ(JsonTakeString(object, u"k"), u"");  // taken
  JsonValue flag = ObjectWith(JsonValue(JsonKind::True));
  EXPECT_EQ(JsonTakeString(flag, u"k"), u"true");
  EXPECT_EQ(ReadErrorOf([] {
              JsonValue array = ObjectWith(JsonValue(JsonKind::Array));
              JsonTakeString(array, u"k");
            }),
            u"Conversion from TJSONArray to string is not supported");
  EXPECT_EQ(ReadErrorOf([] {
              JsonValue empty(JsonKind::Object);
              JsonTakeString(empty, u"image");
            }),
            u"Value 'image' not found");
}

// Fields read from a decode that borrows its texts convert as the copied
// ones do; the text reader gives the message's own characters, and taking a
// borrowed text copies it and leaves the value as it was.
TEST(JsonGetText, BorrowedFieldsReadLikeCopiedOnes) {
  const std::u16string text =
      u"{\"s\":\"abc\",\"n\":\" +7\",\"x\":-1.50,\"e\":\"a\\\"b\",\"t\":true,\"z\":null}";
  const auto borrowed = ParseJson(text, JsonTexts::kBorrowed);
  const auto copied = ParseJson(text);
  ASSERT_TRUE(borrowed && copied);
  for (const auto* key : {u"s", u"n", u"x", u"e", u"t", u"z"}) {
    EXPECT_EQ(JsonGetText(*borrowed, key), JsonGetString(*copied, key)) << Utf16ToUtf8(key);
    EXPECT_EQ(JsonGetString(*borrowed, key), JsonGetString(*copied, key)) << Utf16ToUtf8(key);
  }
  EXPECT_EQ(JsonGetText(*borrowed, u"s").data(), text.data() + text.find(u"abc"));
  EXPECT_EQ(JsonGetInt(*borrowed, u"n"), 7);
  EXPECT_EQ(ReadErrorOf([&] { JsonGetInt(*borrowed, u"x"); }), u"'-1.50' is not a valid integer value");
  EXPECT_EQ(ReadErrorOf([&] { JsonGetText(*borrowed, u"S"); }), u"Value 'S' not found");

  JsonValue object = *borrowed;
  EXPECT_EQ(JsonTakeString(object, u"s"), u"abc");
  EXPECT_EQ(JsonTakeString(object, u"s"), u"abc");  // a borrowed text stays
  EXPECT_EQ(JsonTakeString(object, u"e"), u"a\"b");
  EXPECT_EQ(JsonTakeString(object, u"e"), u"");  // an owned one is taken
}

}  // namespace
}  // namespace velmoran::test
