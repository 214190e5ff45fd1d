#include "codec/JsonInString.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "codec/JsonEscape.h"
#include "codec/JsonParser.h"
#include "codec/JsonStringScan.h"

namespace velmoran::codec {
namespace {

bool IsJsonWhiteSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
bool IsDecimalDigit(int c) { return c >= u'0' && c <= u'9'; }

// Look's answers that are no unit.
constexpr int kBodyEnd = -1;  // the literal's closing quote, or the end of the text
constexpr int kBroken = -2;   // a raw control or a malformed escape: no literal

// The grammar of JsonParser, read from the units that a string literal's
// body stands for, while the literal itself is checked on the way. In a
// well-formed body a quote, a backslash or a control can only come from an
// escape, so the characters that matter to the inner text's strings all
// stand at a backslash, and the long plain runs between them are found by
// the decoder's bulk scan, which also stops at the closing quote and at
// anything that breaks the literal. So the message is read once.
class InStringParser {
 public:
  // `from`: just past the literal's opening quote; `end`: the text's end.
  InStringParser(const char16_t* from, const char16_t* end, JsonKeptMembers keep)
      : p_(from), end_(end), keep_(keep) {
    for (const std::u16string_view name : keep) longestKept_ = std::max(longestKept_, name.size());
  }

  std::optional<JsonValue> Parse();
  // Where the decode stopped.
  const char16_t* position() const { return p_; }

 private:
  // The unit at p_ and, in `next`, where the one after it is written; or
  // kBodyEnd, or kBroken.
  int Look(const char16_t*& next) const;
  int Look() const {
    const char16_t* next = nullptr;
    return Look(next);
  }
  // Past the unit at p_, which Look gave as a unit (where it gave none, p_ stays).
  void Skip() {
    const char16_t* next = p_;
    Look(next);
    p_ = next;
  }
  void SkipWhiteSpace() {
    for (int c = Look(); c >= 0 && IsJsonWhiteSpace(static_cast<char16_t>(c)); c = Look()) Skip();
  }
  bool ParseMemberName(bool wholeValueMember);
  bool ParseScalar(JsonValue& out, bool keep);
  bool ParseStringValue(JsonValue& out, bool keep);
  // From just past an opening quote to just past the closing one; appends
  // the content to `out`, when given, while it stays within `limit` units.
  // `verbatim`: the body writes the content as it is, without escapes.
  bool ParseStringContent(std::u16string* out, std::size_t limit, bool& verbatim,
                          const char16_t*& contentEnd);
  bool ParseNumber(JsonValue& out, bool keep);
  bool ParseWord(std::u16string_view word);
  bool ParseDigits() {
    if (!IsDecimalDigit(Look())) return false;
    while (IsDecimalDigit(Look())) Skip();
    return true;
  }
  void Append(std::u16string* out, std::size_t limit, std::u16string_view text) {
    if (out == nullptr || !fits_) return;
    if (out->size() + text.size() > limit) {
      fits_ = false;
      return;
    }
    out->append(text);
  }

  const char16_t* p_;
  const char16_t* const end_;
  const JsonKeptMembers keep_;
  std::size_t longestKept_ = 0;
  JsonValue root_;         // the whole value while it is an open array or object
  std::u16string name_;    // the name of the whole value's member being read, when it may be kept
  bool nameKept_ = false;  // that member is kept
  bool fits_ = true;       // the string being read stayed within its limit
};

int InStringParser::Look(const char16_t*& next) const {
  if (p_ == end_ || *p_ == u'"') return kBodyEnd;
  if (*p_ < 0x20) return kBroken;
  if (*p_ != u'\\') {
    next = p_ + 1;
    return *p_;
  }
  const char16_t* q = p_ + 1;
  const int unit = DecodeJsonEscape([&] { return q == end_ ? -1 : static_cast<int>(*q++); });
  if (unit < 0) return kBroken;
  next = q;
  return unit;
}

std::optional<JsonValue> InStringParser::Parse() {
  std::vector<bool> open;  // the arrays and objects not closed yet, true for an object
  JsonValue done;
  SkipWhiteSpace();
  for (;;) {
    // p_ stands where a value must begin.
    const int first = Look();
    if (first < 0) return std::nullopt;
    if (first == u'[' || first == u'{') {
      if (open.size() == kMaxJsonDepth) return std::nullopt;
      Skip();
      const bool isObject = first == u'{';
      const JsonKind kind = isObject ? JsonKind::Object : JsonKind::Array;
      if (open.empty()) root_ = JsonValue(kind);
      open.push_back(isObject);
      SkipWhiteSpace();
      if (Look() == (isObject ? u'}' : u']')) {
        Skip();
        open.pop_back();
        done = open.empty() ? std::move(root_) : JsonValue(kind);
      } else {
        if (isObject && !ParseMemberName(open.size() == 1)) return std::nullopt;
        continue;
      }
    } else if (!ParseScalar(done, open.empty() || (open.size() == 1 && open.back() && nameKept_))) {
      return std::nullopt;
    }

    // `done` is complete: as in JsonParser::Parse, close every container
    // whose closing bracket follows, until another value has to begin.
    for (;;) {
      if (open.empty()) {
        if (done.IsArray() || done.IsObject()) SkipWhiteSpace();
        if (Look() != kBodyEnd) return std::nullopt;
        return std::optional<JsonValue>(std::move(done));
      }
      const bool isObject = open.back();
      if (isObject && open.size() == 1 && nameKept_) root_.members().emplace_back(name_, std::move(done));
      SkipWhiteSpace();
      const int next = Look();
      if (next == u',') {
        Skip();
        SkipWhiteSpace();
        if (isObject && !ParseMemberName(open.size() == 1)) return std::nullopt;
        break;
      }
      if (next != (isObject ? u'}' : u']')) return std::nullopt;
      Skip();
      open.pop_back();
      done = open.empty() ? std::move(root_) : JsonValue(isObject ? JsonKind::Object : JsonKind::Array);
    }
  }
}

// A member name, the colon after it and the white space around the colon.
// Only a member of the whole value can be kept, so only its name is read
// out, and only as far as the longest kept name: a name of megabytes costs
// nothing.
bool InStringParser::ParseMemberName(bool wholeValueMember) {
  if (Look() != u'"') return false;
  Skip();
  bool verbatim = false;
  const char16_t* contentEnd = nullptr;
  if (wholeValueMember) {
    name_.clear();
    if (!ParseStringContent(&name_, longestKept_, verbatim, contentEnd)) return false;
    nameKept_ = fits_ && KeepsMember(keep_, root_, name_);
  } else if (!ParseStringContent(nullptr, 0, verbatim, contentEnd)) {
    return false;
  }
  SkipWhiteSpace();
  if (Look() != u':') return false;
  Skip();
  SkipWhiteSpace();
  return true;
}

bool InStringParser::ParseScalar(JsonValue& out, bool keep) {
  switch (Look()) {
    case u'"':
      Skip();
      return ParseStringValue(out, keep);
    case u't':
      out = JsonValue(JsonKind::True);
      return ParseWord(u"true");
    case u'f':
      out = JsonValue(JsonKind::False);
      return ParseWord(u"false");
    case u'n':
      out = JsonValue(JsonKind::Null);
      return ParseWord(u"null");
    default:
      return ParseNumber(out, keep);
  }
}

bool InStringParser::ParseStringValue(JsonValue& out, bool keep) {
  const char16_t* const content = p_;
  bool verbatim = false;
  const char16_t* contentEnd = nullptr;
  if (!ParseStringContent(nullptr, 0, verbatim, contentEnd)) return false;
  const std::u16string_view written(content, static_cast<std::size_t>(contentEnd - content));
  if (!keep) {
    out = JsonValue(JsonKind::String);
  } else if (verbatim) {
    out = JsonValue::Borrowing(JsonKind::String, written);
  } else {
    // Read again, now writing the content out: it is kept, and the body
    // does not hold it as it is.
    const char16_t* const after = p_;
    p_ = content;
    std::u16string text;
    text.reserve(written.size());
    ParseStringContent(&text, text.max_size(), verbatim, contentEnd);
    p_ = after;
    out = JsonValue(JsonKind::String, std::move(text));
  }
  return true;
}

bool InStringParser::ParseStringContent(std::u16string* out, std::size_t limit, bool& verbatim,
                                        const char16_t*& contentEnd) {
  verbatim = true;
  fits_ = true;
  for (;;) {
    // Stops at a backslash, at the literal's closing quote or at what breaks it.
    const char16_t* const run = json_scan::FindStringSpecial(p_, end_);
    Append(out, limit, std::u16string_view(p_, static_cast<std::size_t>(run - p_)));
    p_ = run;
    contentEnd = p_;
    const int c = Look();
    if (c < 0) return false;
    Skip();
    if (c == u'"') return true;
    if (c < 0x20) return false;  // a control the inner string holds as it is
    verbatim = false;
    char16_t unit = static_cast<char16_t>(c);
    if (c == u'\\') {
      // The escape's units are themselves read through the literal's escapes.
      const int escaped = DecodeJsonEscape([&] {
        const int following = Look();
        if (following >= 0) Skip();
        return following;
      });
      if (escaped < 0) return false;
      unit = static_cast<char16_t>(escaped);
    }
    Append(out, limit, std::u16string_view(&unit, 1));
  }
}

// A number by the JSON grammar, kept exactly as written.
bool InStringParser::ParseNumber(JsonValue& out, bool keep) {
  const char16_t* const start = p_;
  if (Look() == u'-') Skip();
  if (Look() == u'0') {
    Skip();
  } else if (!ParseDigits()) {
    return false;
  }
  if (Look() == u'.') {
    Skip();
    if (!ParseDigits()) return false;
  }
  if (Look() == u'e' || Look() == u'E') {
    Skip();
    if (Look() == u'+' || Look() == u'-') Skip();
    if (!ParseDigits()) return false;
  }
  const std::u16string_view written(start, static_cast<std::size_t>(p_ - start));
  if (!keep) {
    out = JsonValue(JsonKind::Number);
  } else if (written.find(u'\\') == std::u16string_view::npos) {
    out = JsonValue::Borrowing(JsonKind::Number, written);
  } else {
    const char16_t* const after = p_;
    std::u16string text;
    for (p_ = start; p_ != after;) {
      text.push_back(static_cast<char16_t>(Look()));
      Skip();
    }
    out = JsonValue(JsonKind::Number, std::move(text));
  }
  return true;
}

bool InStringParser::ParseWord(std::u16string_view word) {
  for (const char16_t c : word) {
    if (Look() != c) return false;
    Skip();
  }
  return true;
}

}  // namespace

std::optional<std::u16string_view> JsonStringLiteralBody(std::u16string_view text) {
  const char16_t* p = text.data();
  const char16_t* const end = p + text.size();
  while (p != end && IsJsonWhiteSpace(*p)) ++p;
  if (p == end || *p != u'"') return std::nullopt;
  const char16_t* const body = ++p;
  for (;;) {
    p = json_scan::FindStringSpecial(p, end);
    if (p == end) return std::nullopt;
    if (*p == u'"') break;
    if (*p != u'\\') return std::nullopt;  // a raw control character
    ++p;
    if (DecodeJsonEscape([&] { return p == end ? -1 : static_cast<int>(*p++); }) < 0) return std::nullopt;
  }
  // White space may not follow a string that is the whole text.
  if (p + 1 != end) return std::nullopt;
  return std::u16string_view(body, static_cast<std::size_t>(p - body));
}

JsonStringContent ParseJsonInString(std::u16string_view text, JsonKeptMembers keep,
                                    std::optional<JsonValue>& inner) {
  inner.reset();
  const char16_t* p = text.data();
  const char16_t* const end = p + text.size();
  while (p != end && IsJsonWhiteSpace(*p)) ++p;
  if (p == end || *p != u'"') return JsonStringContent::kNoString;
  InStringParser parser(p + 1, end, keep);
  inner = parser.Parse();
  // A decoded content ends at a quote that Look saw as the literal's
  // closing one, every unit before it checked; it must end the text.
  if (inner && parser.position() + 1 == end) return JsonStringContent::kDecoded;
  // Only a failed message is read again, to tell which of the two failed.
  inner.reset();
  return JsonStringLiteralBody(text) ? JsonStringContent::kNotJson : JsonStringContent::kNoString;
}

}  // namespace velmoran::codec
