// Runs the JSON conformance suite under tests/data/jsontestsuite through
// both text forms of the decoder, UTF-16 and UTF-8: y_ files must decode, n_
// files must fail, i_ files may do either but must return, and the UTF-8
// decode of any file, valid UTF-8 or not, is the UTF-16 decode of the
// widened file. A UTF-16 decode that borrows its texts, and one of the file
// posted as the text of a string, must give the same answer and tree.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "codec/Json.h"
#include "tests/codec/JsonTestSupport.h"

namespace velmoran::test {
namespace {

namespace fs = std::filesystem;
using codec::JsonEscapedSpecials;
using codec::JsonTexts;
using codec::JsonValue;
using codec::ParseJson;
using codec::ParseJsonInString;

std::vector<fs::path> SuiteFiles() {
  const fs::path folder = fs::path(VELMORAN_TEST_DATA_DIR) / "jsontestsuite" / "test_parsing";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// The browser hands page messages over as UTF-16, so byte sequences that are
// not UTF-8 never reach the decoder's UTF-16 form. A text is valid UTF-8 exactly when it
// survives the trip to UTF-16 and back, invalid sequences being replaced.
bool IsValidUtf8(const std::string& bytes) { return Utf16ToUtf8(Utf8ToUtf16(bytes)) == bytes; }

// `text` as a JSON string literal. Plainly: only what must be escaped is,
// controls as \u00XX. Otherwise every character that can be escaped is, in
// the short form where there is one and as \u escapes for the rest, and so
// are a few ordinary letters.
std::u16string QuoteAsJsonString(std::u16string_view text, bool plainly) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  const auto unicodeEscape = [](char16_t c) {
    return std::u16string{u'\\',        u'u', kHex[c >> 12], kHex[(c >> 8) & 0xF], kHex[(c >> 4) & 0xF],
                          kHex[c & 0xF]};
  };
  std::u16string out = u"\"";
  for (const char16_t c : text) {
    if (plainly) {
      if (c == u'"' || c == u'\\') {
        out += u'\\';
        out += c;
      } else {
        out += c < 0x20 ? unicodeEscape(c) : std::u16string(1, c);
      }
      continue;
    }
    switch (c) {
      case u'\n':
        out += u"\\n";
        break;
      case u'\t':
        out += u"\\t";
        break;
      case u'/':
        out += u"\\/";
        break;
      case u'e':
        out += unicodeEscape(c);
        break;
      default:
        out += c == u'"' || c == u'\\' || c < 0x20 ? unicodeEscape(c) : std::u16string(1, c);
    }
  }
  return out + u"\"";
}

// One text form of the decoder: the decode of a suite file's bytes.
struct TextForm {
  const char* name;
  std::optional<JsonValue> (*decode)(const std::string& bytes);
};

class JsonConformance : public ::testing::TestWithParam<TextForm> {};

TEST_P(JsonConformance, EverySuiteFileDecodesAsTheSuiteSays) {
  int mustDecode = 0;
  int mustFail = 0;
  std::vector<std::string> wrong;
  for (const auto& file : SuiteFiles()) {
    const std::string name = file.filename().string();
    const std::string bytes = ReadBytes(file);
    const auto widened = ParseJson(Utf8ToUtf16(bytes));
    const auto decodedValue = GetParam().decode(bytes);
    const bool decoded = decodedValue.has_value();
    if (decoded != widened.has_value() || (decoded && !SameValue(*decodedValue, *widened))) {
      wrong.push_back(name + " (decodes otherwise than the widened text)");
    }
    if (!IsValidUtf8(bytes)) continue;
    if (name.starts_with("y_")) {
      ++mustDecode;
      if (!decoded) wrong.push_back(name + " (valid, rejected)");
    } else if (name.starts_with("n_")) {
      ++mustFail;
      if (decoded) wrong.push_back(name + " (invalid, accepted)");
    }
  }

  // The whole suite must have been there, not an empty or partial folder
  // (twelve n_ files are not UTF-8 and are left out of these counts).
  EXPECT_EQ(mustDecode, 95);
  EXPECT_EQ(mustFail, 176);
  for (const auto& name : wrong) ADD_FAILURE() << name;
}

INSTANTIATE_TEST_SUITE_P(
    TextForms, JsonConformance,
    ::testing::Values(TextForm{"Utf16",
                               [](const std::string& bytes) { return ParseJson(Utf8ToUtf16(bytes)); }},
                      TextForm{"Utf8", [](const std::string& bytes) { return codec::ParseUtf8Json(bytes); }}),
    [](const ::testing::TestParamInfo<TextForm>& form) { return std::string(form.param.name); });

TEST(JsonConformanceUtf16, EverySuiteFileDecodesAlikeBorrowedAndInsideAString) {
  std::vector<std::string> wrong;
  for (const auto& file : SuiteFiles()) {
    const std::string name = file.filename().string();
    const std::string bytes = ReadBytes(file);
    if (!IsValidUtf8(bytes)) continue;
    const std::u16string text = Utf8ToUtf16(bytes);
    const auto copied = ParseJson(text);
    const auto borrowed = ParseJson(text, JsonTexts::kBorrowed);
    const bool decoded = copied.has_value();
    if (borrowed.has_value() != decoded || (decoded && !SameValue(*copied, *borrowed))) {
      wrong.push_back(name + " (decodes otherwise when borrowing)");
    }
    // Posted as the text of a string, as the page posts its captures, and
    // decoded from that string's content with what its escapes gave.
    for (const bool plainly : {true, false}) {
      JsonEscapedSpecials specials;
      const std::u16string message = QuoteAsJsonString(text, plainly);
      const auto outer = ParseJson(message, JsonTexts::kBorrowed, specials);
      if (!outer || outer->view() != text) {
        wrong.push_back(name + " (does not survive quoting)");
        continue;
      }
      const auto nested = ParseJsonInString(outer->view(), specials, JsonTexts::kBorrowed);
      if (nested.has_value() != decoded || (decoded && !SameValue(*copied, *nested))) {
        wrong.push_back(name + (plainly ? " (decodes otherwise inside a string)"
                                        : " (decodes otherwise inside a fully escaped string)"));
      }
    }
  }
  for (const auto& name : wrong) ADD_FAILURE() << name;
}

}  // namespace
}  // namespace velmoran::test
