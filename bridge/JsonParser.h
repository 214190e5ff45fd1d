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
  explicit JsonParser(std::u16string_view text);

  // Decodes the whole text as one value, or nothing (see ParseJson).
  std::optional<JsonValue> Parse();

 private:
  void SkipWhiteSpace();
  // `wholeText`: the value is the text's only one, so it spans the rest of it.
  bool ParseScalar(JsonValue& out, bool wholeText);
  bool ParseMemberName(std::u16string& name);
  bool ParseString(std::u16string& out, bool wholeText);
  bool ParseEscapedRest(const char16_t* runStart, const char16_t* stop, std::u16string& out);
  const char16_t* ScanRun(const char16_t* from) const;
  bool ParseNumber(JsonValue& out);
  bool ParseWord(std::u16string_view word);

  // Code units scanned ahead of copying a run of plain string content.
  static constexpr std::ptrdiff_t kScanChunk = 4096;

  const char16_t* pos_;
  const char16_t* const end_;
};

}  // namespace velmoran::bridge
