#include "runtime/chromium/Utf8Json.h"

#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmoran::runtime::chromium {

using bridge::JsonKind;
using bridge::JsonValue;

namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

const char* FindQuote(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  for (; end - p >= 16; p += 16) {
    const int mask =
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), quote));
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
  }
#endif
  while (p != end && *p != '"') ++p;
  return p;
}

// Where a well-formed string whose content starts at `p` ends: the first '"'
// after an even number of backslashes. Only a size hint for the decoded text.
const char* StringEndHint(const char* p, const char* end) {
  for (const char* at = FindQuote(p, end); at != end; at = FindQuote(at + 1, end)) {
    const char* before = at;
    while (before != p && before[-1] == '\\') --before;
    if ((at - before) % 2 == 0) return at;
  }
  return end;
}

class Utf8JsonParser {
 public:
  explicit Utf8JsonParser(std::string_view text)
      : text_(text), pos_(text.data()), end_(text.data() + text.size()) {}

  std::optional<JsonValue> Parse();

 private:
  struct OpenContainer {
    JsonValue value;
    std::u16string name;
  };

  void SkipWhiteSpace() {
    while (pos_ != end_ && IsWhiteSpace(*pos_)) ++pos_;
  }
  bool ParseScalar(JsonValue& out);
  bool ParseString(std::u16string& out);
  bool ParseMemberName(std::u16string& name);
  bool ParseNumber(JsonValue& out);
  bool ParseWord(std::string_view word);

  std::string_view text_;
  const char* pos_;
  const char* end_;
};

std::optional<JsonValue> Utf8JsonParser::Parse() {
  std::vector<OpenContainer> open;
  JsonValue done;
  SkipWhiteSpace();
  for (;;) {
    if (pos_ == end_) return std::nullopt;
    const char first = *pos_;
    if (first == '[' || first == '{') {
      if (open.size() == bridge::kMaxJsonDepth) return std::nullopt;
      ++pos_;
      const bool isObject = first == '{';
      open.push_back({JsonValue(isObject ? JsonKind::Object : JsonKind::Array), {}});
      SkipWhiteSpace();
      if (pos_ != end_ && *pos_ == (isObject ? '}' : ']')) {
        ++pos_;
        done = std::move(open.back().value);
        open.pop_back();
      } else {
        if (isObject && !ParseMemberName(open.back().name)) return std::nullopt;
        continue;
      }
    } else if (!ParseScalar(done)) {
      return std::nullopt;
    }

    for (;;) {
      if (open.empty()) {
        // As the bridge's decoder: white space may follow a closing bracket or brace, not a lone scalar.
        if (done.IsArray() || done.IsObject()) SkipWhiteSpace();
        if (pos_ != end_) return std::nullopt;
        return std::optional<JsonValue>(std::move(done));
      }
      OpenContainer& top = open.back();
      const bool isObject = top.value.IsObject();
      if (isObject) {
        top.value.members().emplace_back(std::move(top.name), std::move(done));
      } else {
        top.value.items().push_back(std::move(done));
      }
      SkipWhiteSpace();
      if (pos_ == end_) return std::nullopt;
      if (*pos_ == ',') {
        ++pos_;
        SkipWhiteSpace();
        if (isObject && !ParseMemberName(top.name)) return std::nullopt;
        break;
      }
      if (*pos_ != (isObject ? '}' : ']')) return std::nullopt;
      ++pos_;
      done = std::move(top.value);
      open.pop_back();
    }
  }
}

bool Utf8JsonParser::ParseMemberName(std::u16string& name) {
  if (pos_ == end_ || *pos_ != '"' || !ParseString(name)) return false;
  SkipWhiteSpace();
  if (pos_ == end_ || *pos_ != ':') return false;
  ++pos_;
  SkipWhiteSpace();
  return true;
}

bool Utf8JsonParser::ParseScalar(JsonValue& out) {
  switch (*pos_) {
    case '"': {
      std::u16string text;
      if (!ParseString(text)) return false;
      out = JsonValue(JsonKind::String, std::move(text));
      return true;
    }
    case 't':
      out = JsonValue(JsonKind::True);
      return ParseWord("true");
    case 'f':
      out = JsonValue(JsonKind::False);
      return ParseWord("false");
    case 'n':
      out = JsonValue(JsonKind::Null);
      return ParseWord("null");
    default:
      return ParseNumber(out);
  }
}

// The string at pos_ (its opening quote), decoded into `out`.
bool Utf8JsonParser::ParseString(std::u16string& out) {
  const char* p = pos_ + 1;
  out.clear();
  // Never more code units than bytes: reserved once, so a long string is not regrown.
  out.reserve(static_cast<std::size_t>(StringEndHint(p, end_) - p));
  for (;;) {
#if defined(__SSE2__)
    // Sixteen bytes a step while they are plain ASCII: no quote, backslash,
    // control character or byte of a multi-byte character among them.
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i lastControl = _mm_set1_epi8(0x1F);
    while (end_ - p >= 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(v, lastControl), v);
      const __m128i special =
          _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash)), control);
      if ((_mm_movemask_epi8(special) | _mm_movemask_epi8(v)) != 0) break;
      AppendAscii16(p, out);
      p += 16;
    }
#endif
    if (p == end_) return false;
    const char c = *p;
    if (c == '"') {
      pos_ = p + 1;
      return true;
    }
    if (static_cast<unsigned char>(c) < 0x20) return false;  // a raw control character
    if (c != '\\') {
      // A character of one or more bytes, read exactly as Utf8ToUtf16 reads it.
      p = text_.data() + AppendUtf8Character(text_, static_cast<std::size_t>(p - text_.data()), out);
      continue;
    }
    if (end_ - p < 2) return false;
    const char* next = p + 2;
    char16_t unit = 0;
    switch (p[1]) {
      case '"':
      case '\\':
      case '/':
        unit = static_cast<char16_t>(p[1]);
        break;
      case 'b':
        unit = u'\b';
        break;
      case 'f':
        unit = u'\f';
        break;
      case 'n':
        unit = u'\n';
        break;
      case 'r':
        unit = u'\r';
        break;
      case 't':
        unit = u'\t';
        break;
      case 'u': {
        if (end_ - next < 4) return false;
        int value = 0;
        for (int i = 0; i < 4; ++i) {
          const int digit = HexDigitValue(next[i]);
          if (digit < 0) return false;
          value = value * 16 + digit;
        }
        // One UTF-16 code unit, as the bridge keeps it: escaped pairs join by themselves.
        unit = static_cast<char16_t>(value);
        next += 4;
        break;
      }
      default:
        return false;
    }
    out.push_back(unit);
    p = next;
  }
}

bool Utf8JsonParser::ParseNumber(JsonValue& out) {
  const char* p = pos_;
  auto digits = [&] {
    const char* from = p;
    while (p != end_ && IsDigit(*p)) ++p;
    return p != from;
  };
  if (*p == '-') ++p;
  if (p == end_) return false;
  if (*p == '0') {
    ++p;
  } else if (!digits()) {
    return false;
  }
  if (p != end_ && *p == '.') {
    ++p;
    if (!digits()) return false;
  }
  if (p != end_ && (*p == 'e' || *p == 'E')) {
    ++p;
    if (p != end_ && (*p == '+' || *p == '-')) ++p;
    if (!digits()) return false;
  }
  out = JsonValue(JsonKind::Number, AsciiToUtf16(std::string_view(pos_, static_cast<std::size_t>(p - pos_))));
  pos_ = p;
  return true;
}

bool Utf8JsonParser::ParseWord(std::string_view word) {
  if (static_cast<std::size_t>(end_ - pos_) < word.size() || std::string_view(pos_, word.size()) != word)
    return false;
  pos_ += word.size();
  return true;
}

}  // namespace

std::optional<JsonValue> ParseUtf8Json(std::string_view text) { return Utf8JsonParser(text).Parse(); }

}  // namespace velmoran::runtime::chromium
