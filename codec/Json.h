#pragma once

// The JSON decoder: one standard JSON value from UTF-16 text (the page's
// messages) or UTF-8 text (the browser's protocol messages), into the same
// values, whose texts are UTF-16. Number texts are kept exactly as written;
// object members keep their order and a key that occurs twice is found at
// its first occurrence.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmoran::codec {

enum class JsonKind { Null, False, True, Number, String, Array, Object };

// How ParseJson keeps the texts of strings and numbers.
enum class JsonTexts {
  kCopied,    // every value owns its text
  kBorrowed,  // a string without escapes, and a number, refer into the decoded
              // text instead of copying it: that text must outlive the values
};

class JsonValue {
 public:
  using Member = std::pair<std::u16string, JsonValue>;

  JsonValue() = default;
  explicit JsonValue(JsonKind kind) : kind_(kind) {}
  JsonValue(JsonKind kind, std::u16string text) : kind_(kind), text_(std::move(text)) {}
  // A string or number whose text lives elsewhere, for as long as the value.
  static JsonValue Borrowing(JsonKind kind, std::u16string_view text) {
    JsonValue value(kind);
    value.borrowed_ = text;
    value.borrows_ = true;
    return value;
  }

  JsonKind kind() const { return kind_; }
  bool IsObject() const { return kind_ == JsonKind::Object; }
  bool IsArray() const { return kind_ == JsonKind::Array; }
  bool IsString() const { return kind_ == JsonKind::String; }
  bool IsNumber() const { return kind_ == JsonKind::Number; }

  // A string's content with its escapes resolved, or a number as written,
  // whether the value owns it or borrows it.
  std::u16string_view view() const { return borrows_ ? borrowed_ : std::u16string_view(text_); }
  // Whether the text lives in the decoded text (JsonTexts::kBorrowed); text()
  // is then empty and view() has it.
  bool borrows() const { return borrows_; }

  // The text the value owns (see view() for borrowed ones).
  const std::u16string& text() const { return text_; }
  std::u16string& text() { return text_; }

  const std::vector<JsonValue>& items() const { return items_; }
  std::vector<JsonValue>& items() { return items_; }
  const std::vector<Member>& members() const { return members_; }
  std::vector<Member>& members() { return members_; }

  // The first member named `key` (exact, case-sensitive), or nullptr.
  const JsonValue* Find(std::u16string_view key) const;

 private:
  JsonKind kind_ = JsonKind::Null;
  bool borrows_ = false;
  std::u16string text_;
  std::u16string_view borrowed_;
  std::vector<JsonValue> items_;
  std::vector<Member> members_;
};

// Arrays and objects may nest this deep; one level more fails the decode.
inline constexpr std::size_t kMaxJsonDepth = 512;

// Decodes `text` as exactly one JSON value. White space may stand before the
// value and after a closing brace or bracket. Anything else outside the value,
// an empty text, or nesting deeper than kMaxJsonDepth gives no value.
// Malformed input of any size or depth only ever gives no value; running out
// of memory throws std::bad_alloc, as any allocation does. Member names are
// always copied; `texts` tells whether string and number values are.
std::optional<JsonValue> ParseJson(std::u16string_view text, JsonTexts texts = JsonTexts::kCopied);

// Where, in the decoded content of a string, the characters stand that a
// JSON string may only hold escaped: '"', '\' and the controls below U+0020.
// Each of them came from an escape, so the decode saw every one go by.
using JsonEscapedSpecials = std::vector<std::size_t>;

// ParseJson that also gives, when the value is a string or a number, where
// its content holds such characters (ascending), for ParseJsonInString.
std::optional<JsonValue> ParseJson(std::u16string_view text, JsonTexts texts, JsonEscapedSpecials& specials);

// Decodes the content of a string that the ParseJson above gave, as a JSON
// text of its own: the page posts its captures' object as the text of a
// string. `specials` must be what that decode gave with `content`; it tells
// where the contents of the inner strings stop, so megabytes of them are not
// read a second time. Rules and results are those of ParseJson(content, texts).
std::optional<JsonValue> ParseJsonInString(std::u16string_view content, const JsonEscapedSpecials& specials,
                                           JsonTexts texts = JsonTexts::kCopied);

// The value ParseJson(Utf8ToUtf16(text)) gives, texts copied: the same
// grammar, nesting limit and rule on white space after a value, and invalid
// UTF-8 inside strings read as Utf8ToUtf16 reads it. Decoding straight from
// UTF-8 writes each string once: widening a protocol message first would
// write its megabytes twice and read them three times.
std::optional<JsonValue> ParseUtf8Json(std::string_view text);

}  // namespace velmoran::codec
