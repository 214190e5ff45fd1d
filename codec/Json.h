#pragma once

// The JSON decoder: one standard JSON value from UTF-16 text (the page's
// messages) or UTF-8 text (the browser's protocol messages), into the same
// values, whose texts are UTF-16. Number texts are kept exactly as written;
// object members keep their order and a key that occurs twice is found at
// its first occurrence.

#include <cstddef>
#include <optional>
#include <span>
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

// The member names a decode keeps, for a reader of a few named members.
using JsonKeptMembers = std::span<const std::u16string_view>;

// ParseJson for a reader that only reads a few members of an object: the
// whole text is checked by the same rules and gives a value exactly when
// ParseJson gives one, but what is kept is bounded by those members, not by
// the text. An object that is the whole value keeps, of its members, only
// the first occurrence of each name in `keep`; every other array or object
// (a whole-value array included) comes back empty, of its kind. So a text of
// millions of small values needs no memory for them.
std::optional<JsonValue> ParseJsonKeeping(std::u16string_view text, JsonKeptMembers keep,
                                          JsonTexts texts = JsonTexts::kBorrowed);

// The value ParseJson(Utf8ToUtf16(text)) gives, texts copied: the same
// grammar, nesting limit and rule on white space after a value, and invalid
// UTF-8 inside strings read as Utf8ToUtf16 reads it. Decoding straight from
// UTF-8 writes each string once: widening a protocol message first would
// write its megabytes twice and read them three times.
std::optional<JsonValue> ParseUtf8Json(std::string_view text);

}  // namespace velmoran::codec
