#pragma once

// The decoder behind ParseJson and ParseUtf8Json. It keeps the arrays and
// objects still open on an explicit stack, so the depth of the input never
// reaches the call stack: a hostile page can nest a hundred thousand brackets
// and the decode simply fails at the first level beyond kMaxJsonDepth.
//
// One decoder for both text forms: `Unit` is char16_t for UTF-16 texts and
// unsigned char for UTF-8 ones. The grammar is read the same way from either;
// only finding the end of a string's plain run and turning that run into
// UTF-16 differ. Values of a UTF-8 text always own their texts.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "codec/Json.h"

namespace velmoran::codec {

template <typename Unit>
class JsonParser {
 public:
  JsonParser(const Unit* text, std::size_t size, JsonTexts texts = JsonTexts::kCopied);

  // Decodes the whole text as one value, or nothing (see ParseJson).
  std::optional<JsonValue> Parse();

  // Parse then keeps only what ParseJsonKeeping keeps.
  void KeepOnly(JsonKeptMembers keep) {
    keep_ = keep;
    keeping_ = true;
  }

 private:
  void SkipWhiteSpace();
  // `wholeText`: the value is the text's only one, so it spans the rest of it.
  bool ParseScalar(JsonValue& out, bool wholeText);
  bool ParseMemberName(std::u16string& name);
  bool ParseString(std::u16string& out);
  // Past a string's content that has no escapes, giving that content; false,
  // with pos_ unchanged, when the string has escapes (or is not well formed)
  // and `stop` tells where the plain part ends.
  bool ParsePlainString(const Unit*& content, const Unit*& stop);
  bool ParseEscapedString(const Unit* stop, bool wholeText, std::u16string& out);
  bool ParseEscapedRest(const Unit* runStart, const Unit* stop, std::u16string& out);
  // A value holding the text [from, to) of a string without escapes, or of
  // a number: borrowed from a UTF-16 text when asked, else a UTF-16 copy.
  JsonValue TextValue(JsonKind kind, const Unit* from, const Unit* to) const;
  const Unit* ScanRun(const Unit* from);
  // The first '"', '\' or control in [from, limit), or `limit`.
  const Unit* FindSpecial(const Unit* from, const Unit* limit);
  bool ParseNumber(JsonValue& out);
  bool ParseWord(std::string_view word);

  // Code units scanned ahead of copying a run of plain string content.
  static constexpr std::ptrdiff_t kScanChunk = 4096;

  const Unit* pos_;
  const Unit* const end_;
  const JsonTexts texts_;
  JsonKeptMembers keep_;
  bool keeping_ = false;
};

// Whether a decode that keeps `keep` keeps the member `name` of `object`, the
// object that is the whole value: only a name's first occurrence is kept.
bool KeepsMember(JsonKeptMembers keep, const JsonValue& object, std::u16string_view name);

extern template class JsonParser<char16_t>;
extern template class JsonParser<unsigned char>;

}  // namespace velmoran::codec
