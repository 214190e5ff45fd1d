// Runs the JSON conformance suite under tests/data/jsontestsuite: y_ files
// must decode, n_ files must fail, i_ files may do either but must return.
// A decode that borrows its texts, and one of the file posted as the text of
// a string, must give the same answer and tree.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "bridge/Json.h"

namespace velmoran::test {
namespace {

using bridge::JsonEscapedSpecials;
using bridge::JsonTexts;
using bridge::JsonValue;
using bridge::ParseJson;
using bridge::ParseJsonInString;

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::string bytes(static_cast<std::size_t>(fs::file_size(path)), '\0');
  std::ifstream in(path, std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// The browser hands messages over as UTF-16, so byte sequences that are not
// UTF-8 never reach the decoder. A text is valid UTF-8 exactly when it
// survives the trip to UTF-16 and back, invalid sequences being replaced.
bool IsValidUtf8(const std::string& bytes) { return Utf16ToUtf8(Utf8ToUtf16(bytes)) == bytes; }

// `text` as a JSON string literal. Plainly: only what must be escaped is,
// controls as \u00XX. Otherwise every character that can be escaped is, in
// the short form where there is one and as \u escapes for the rest, and so
// are a few ordinary letters.
std::u16string QuoteAsJsonString(std::u16string_view text, bool plainly) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  const auto unicodeEscape = [](char16_t c) {
    return std::u16string{u'\\', u'u', kHex[c >> 12], kHex[(c >> 8) & 0xF], kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
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

// The same tree, whether its texts were copied or borrowed.
bool SameValue(const JsonValue& a, const JsonValue& b) {
  if (a.kind() != b.kind() || a.view() != b.view() || a.items().size() != b.items().size() ||
      a.members().size() != b.members().size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.items().size(); ++i) {
    if (!SameValue(a.items()[i], b.items()[i])) return false;
  }
  for (std::size_t i = 0; i < a.members().size(); ++i) {
    if (a.members()[i].first != b.members()[i].first || !SameValue(a.members()[i].second, b.members()[i].second))
      return false;
  }
  return true;
}

TEST(JsonConformance, EverySuiteFileDecodesAsTheSuiteSays) {
  const fs::path folder = fs::path(VELMORAN_TEST_DATA_DIR) / "jsontestsuite" / "test_parsing";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());

  int mustDecode = 0;
  int mustFail = 0;
  std::vector<std::string> wrong;
  for (const auto& file : files) {
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
    if (name.starts_with("y_")) {
      ++mustDecode;
      if (!decoded) wrong.push_back(name + " (valid, rejected)");
    } else if (name.starts_with("n_")) {
      ++mustFail;
      if (decoded) wrong.push_back(name + " (invalid, accepted)");
    }
  }

  // The whole suite must have been there, not an empty or partial folder
  // (twelve n_ files are not UTF-8 and are left out above).
  EXPECT_EQ(mustDecode, 95);
  EXPECT_EQ(mustFail, 176);
  for (const auto& name : wrong) ADD_FAILURE() << name;
}

}  // namespace
}  // namespace velmoran::test
