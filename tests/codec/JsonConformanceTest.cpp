// Runs the JSON conformance suite under tests/data/jsontestsuite through
// both text forms of the decoder, UTF-16 and UTF-8: y_ files must decode, n_
// files must fail, i_ files may do either but must return, and the UTF-8
// decode of any file, valid UTF-8 or not, is the UTF-16 decode of the
// widened file. A UTF-16 decode that borrows its texts must give the same
// answer and tree; one that keeps only named members, and one of the file
// posted as the text of a string, the same answer and what that tree holds
// of those members.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "codec/Json.h"
#include "codec/JsonInString.h"
#include "tests/codec/JsonTestSupport.h"

namespace velmoran::test {
namespace {

namespace fs = std::filesystem;
using codec::JsonStringContent;
using codec::JsonStringLiteralBody;
using codec::JsonTexts;
using codec::JsonValue;
using codec::ParseJson;
using codec::ParseJsonInString;
using codec::ParseJsonKeeping;

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

// The names a keeping decode is asked for: every member name of a whole-value
// object, and one that no suite file has.
std::vector<std::u16string_view> NamesToKeep(const std::optional<JsonValue>& value) {
  std::vector<std::u16string_view> names = {u"not in any file"};
  if (value && value->IsObject()) {
    for (const auto& member : value->members()) names.push_back(member.first);
  }
  return names;
}

// What a keeping decode must give for the full tree `value`.
JsonValue KeptPart(const JsonValue& value, const std::vector<std::u16string_view>& keep) {
  if (!value.IsArray() && !value.IsObject()) return value;
  JsonValue kept(value.kind());
  for (const auto& [name, member] : value.members()) {
    if (std::find(keep.begin(), keep.end(), name) == keep.end() || kept.Find(name) != nullptr) continue;
    kept.members().emplace_back(name,
                                member.IsArray() || member.IsObject() ? JsonValue(member.kind()) : member);
  }
  return kept;
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
    const std::vector<std::u16string_view> keep = NamesToKeep(copied);
    const auto kept = ParseJsonKeeping(text, keep);
    if (kept.has_value() != decoded || (decoded && !SameValue(KeptPart(*copied, keep), *kept))) {
      wrong.push_back(name + " (decodes otherwise when keeping named members)");
    }
    // Posted as the text of a string, as the page posts its captures, and
    // decoded from that string's literal without writing its content out.
    for (const bool plainly : {true, false}) {
      const std::u16string message = QuoteAsJsonString(text, plainly);
      const auto outer = ParseJson(message);
      const auto body = JsonStringLiteralBody(message);
      if (!outer || outer->view() != text || !body || body->size() + 2 != message.size()) {
        wrong.push_back(name + " (does not survive quoting)");
        continue;
      }
      std::optional<JsonValue> nested;
      const JsonStringContent found = ParseJsonInString(message, keep, nested);
      if (found != (decoded ? JsonStringContent::kDecoded : JsonStringContent::kNotJson) ||
          nested.has_value() != decoded || (decoded && !SameValue(KeptPart(*copied, keep), *nested))) {
        wrong.push_back(name + (plainly ? " (decodes otherwise inside a string)"
                                        : " (decodes otherwise inside a fully escaped string)"));
      }
    }
  }
  for (const auto& name : wrong) ADD_FAILURE() << name;
}

}  // namespace
}  // namespace velmoran::test
