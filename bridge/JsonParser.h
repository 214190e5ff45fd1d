#pragma once

// The decoder behind ParseJson. It keeps the arrays and objects still open
// on an explicit stack, so the depth of the input never reaches the call
// stack: a hostile page can nest a hundred thousand brackets and the decode
// simply fails at the first level beyond kMaxJsonDepth.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "bridge/Json.h"

namespace velmoran::bridge {

class JsonParser {
 public:
  explicit JsonParser(std::u16string_view text, JsonTexts texts = JsonTexts::kCopied);

  // Decodes the whole text as one value, or nothing (see ParseJson).
  std::optional<JsonValue> Parse();

  // Parse then fills `specials` (emptied first) for a string or number that
  // is the whole text: where its escapes gave '"', '\' or a control.
  void RecordSpecials(JsonEscapedSpecials& specials) { recorded_ = &specials; }
  // The text's own specials, all of them, so that string contents are
  // skipped instead of scanned.
  void UseKnownSpecials(const JsonEscapedSpecials& specials) { known_ = &specials; }

 private:
  void SkipWhiteSpace();
  // `wholeText`: the value is the text's only one, so it spans the rest of it.
  bool ParseScalar(JsonValue& out, bool wholeText);
  bool ParseMemberName(std::u16string& name);
  bool ParseString(std::u16string& out);
  // Past a string's content that has no escapes, giving that content; false,
  // with pos_ unchanged, when the string has escapes (or is not well formed)
  // and `stop` tells where the plain part ends.
  bool ParsePlainString(std::u16string_view& content, const char16_t*& stop);
  bool ParseEscapedString(const char16_t* stop, bool wholeText, std::u16string& out);
  bool ParseEscapedRest(const char16_t* runStart, const char16_t* stop, bool record, std::u16string& out);
  const char16_t* ScanRun(const char16_t* from);
  // The first '"', '\' or control in [from, limit), or `limit`.
  const char16_t* FindSpecial(const char16_t* from, const char16_t* limit);
  bool ParseNumber(JsonValue& out);
  bool ParseWord(std::u16string_view word);

  // Code units scanned ahead of copying a run of plain string content.
  static constexpr std::ptrdiff_t kScanChunk = 4096;

  const char16_t* const begin_;
  const char16_t* pos_;
  const char16_t* const end_;
  const JsonTexts texts_;
  JsonEscapedSpecials* recorded_ = nullptr;
  const JsonEscapedSpecials* known_ = nullptr;
  std::size_t nextKnown_ = 0;  // the first of *known_ not behind the decode yet
};

}  // namespace velmoran::bridge
