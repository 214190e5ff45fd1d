#include "codec/JsonParser.h"

#include <type_traits>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "codec/JsonEscape.h"
#include "codec/JsonStringScan.h"

namespace velmoran::codec {
namespace {

bool IsWhiteSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Where the string ends whose content goes on at `p` (not inside an escape),
// if it is well formed: at the first '"' after `p` preceded by an even number
// of backslashes. Only a size hint for the decoded text (never more code
// units than the text has units), so a malformed string may give any answer.
template <typename Unit>
const Unit* StringEndHint(const Unit* p, const Unit* end) {
  for (;;) {
    const Unit* quote = json_scan::FindQuote(p, end);
    if (quote == end) return end;
    const Unit* before = quote;
    while (before != p && before[-1] == u'\\') --before;
    if ((quote - before) % 2 == 0) return quote;
    p = quote + 1;
  }
}

// Appends plain string content (no escapes, quotes or controls) as UTF-16.
// UTF-8 is read exactly as Utf8ToUtf16 reads it, invalid sequences included:
// a run ends before an ASCII byte or, see RunCut, before a character, and
// neither ever belongs to the character before it.
void AppendContent(const char16_t* from, const char16_t* to, std::u16string& out) { out.append(from, to); }

void AppendContent(const unsigned char* from, const unsigned char* to, std::u16string& out) {
  AppendUtf8AsUtf16(
      std::string_view(reinterpret_cast<const char*>(from), static_cast<std::size_t>(to - from)), out);
}

// Where a long run may be cut for scanning at `limit` (which lies inside the
// text): anywhere in UTF-16, where surrogates are kept as they come; in UTF-8
// not inside a character, so each piece converts as the whole run would. A
// character's lead byte stands at most three bytes before its last one; a
// longer row of continuation bytes belongs to no character.
const char16_t* RunCut(const char16_t*, const char16_t* limit) { return limit; }

const unsigned char* RunCut(const unsigned char* from, const unsigned char* limit) {
  for (int back = 0; back < 3 && limit != from && (*limit & 0xC0) == 0x80; ++back) --limit;
  return limit;
}

// An array or object whose closing bracket has not come yet. `name` holds
// the name of the object member whose value is being decoded.
struct OpenContainer {
  JsonValue value;
  std::u16string name;
};

}  // namespace

template <typename Unit>
JsonParser<Unit>::JsonParser(const Unit* text, std::size_t size, JsonTexts texts)
    : pos_(text), end_(text + size), texts_(texts) {}

template <typename Unit>
std::optional<JsonValue> JsonParser<Unit>::Parse() {
  std::vector<OpenContainer> open;
  JsonValue done;
  SkipWhiteSpace();
  for (;;) {
    // pos_ stands where a value must begin.
    if (pos_ == end_) return std::nullopt;
    const Unit first = *pos_;
    if (first == u'[' || first == u'{') {
      if (open.size() == kMaxJsonDepth) return std::nullopt;
      ++pos_;
      const bool isObject = first == u'{';
      open.push_back({JsonValue(isObject ? JsonKind::Object : JsonKind::Array), {}});
      SkipWhiteSpace();
      if (pos_ != end_ && *pos_ == (isObject ? u'}' : u']')) {
        ++pos_;
        done = std::move(open.back().value);
        open.pop_back();
      } else {
        if (isObject && !ParseMemberName(open.back().name)) return std::nullopt;
        continue;
      }
    } else if (!ParseScalar(done, open.empty())) {
      return std::nullopt;
    }

    // `done` is complete: hand it to its container, closing every container
    // whose closing bracket follows, until another value has to begin.
    for (;;) {
      if (open.empty()) {
        // White space may follow a closing bracket or brace but not a lone
        // scalar: "5 " and "\"AppExit\" " do not decode. Every valid sample
        // of the conformance suite ends its scalars at the end of the text.
        if (done.IsArray() || done.IsObject()) SkipWhiteSpace();
        if (pos_ != end_) return std::nullopt;
        return std::optional<JsonValue>(std::move(done));
      }
      OpenContainer& top = open.back();
      const bool isObject = top.value.IsObject();
      if (keeping_) {
        if (isObject && open.size() == 1 && KeepsMember(keep_, top.value, top.name))
          top.value.members().emplace_back(std::move(top.name), std::move(done));
      } else if (isObject) {
        top.value.members().emplace_back(std::move(top.name), std::move(done));
      } else {
        top.value.items().push_back(std::move(done));
      }
      SkipWhiteSpace();
      if (pos_ == end_) return std::nullopt;
      if (*pos_ == u',') {
        ++pos_;
        SkipWhiteSpace();
        if (isObject && !ParseMemberName(top.name)) return std::nullopt;
        break;
      }
      if (*pos_ != (isObject ? u'}' : u']')) return std::nullopt;
      ++pos_;
      done = std::move(top.value);
      open.pop_back();
    }
  }
}

template <typename Unit>
void JsonParser<Unit>::SkipWhiteSpace() {
  while (pos_ != end_ && IsWhiteSpace(*pos_)) ++pos_;
}

template <typename Unit>
bool JsonParser<Unit>::ParseScalar(JsonValue& out, bool wholeText) {
  switch (*pos_) {
    case u'"': {
      const Unit* content = nullptr;
      const Unit* stop = nullptr;
      if (ParsePlainString(content, stop)) {
        out = TextValue(JsonKind::String, content, stop);
        return true;
      }
      std::u16string text;
      if (!ParseEscapedString(stop, wholeText, text)) return false;
      out = JsonValue(JsonKind::String, std::move(text));
      return true;
    }
    case u't':
      out = JsonValue(JsonKind::True);
      return ParseWord("true");
    case u'f':
      out = JsonValue(JsonKind::False);
      return ParseWord("false");
    case u'n':
      out = JsonValue(JsonKind::Null);
      return ParseWord("null");
    default:
      return ParseNumber(out);
  }
}

// A member name, the colon after it and the white space around the colon.
template <typename Unit>
bool JsonParser<Unit>::ParseMemberName(std::u16string& name) {
  if (pos_ == end_ || *pos_ != u'"' || !ParseString(name)) return false;
  SkipWhiteSpace();
  if (pos_ == end_ || *pos_ != u':') return false;
  ++pos_;
  SkipWhiteSpace();
  return true;
}

template <typename Unit>
bool JsonParser<Unit>::ParseString(std::u16string& out) {
  const Unit* content = nullptr;
  const Unit* stop = nullptr;
  if (ParsePlainString(content, stop)) {
    out.clear();
    AppendContent(content, stop, out);
    return true;
  }
  return ParseEscapedString(stop, false, out);
}

template <typename Unit>
bool JsonParser<Unit>::ParsePlainString(const Unit*& content, const Unit*& stop) {
  const Unit* const first = pos_ + 1;  // past the opening quote
  stop = FindSpecial(first, end_);
  if (stop == end_ || *stop != u'"') return false;
  content = first;
  pos_ = stop + 1;
  return true;
}

// The string at pos_, whose plain part ends at `stop`, into `out`.
template <typename Unit>
bool JsonParser<Unit>::ParseEscapedString(const Unit* stop, bool wholeText, std::u16string& out) {
  if (stop == end_) return false;
  const Unit* const content = pos_ + 1;
  // The result is reserved once at its largest possible size, so runs are
  // appended without regrowing. A string that is the whole text (the page's
  // capture message) can only be as long as the rest of the text; any other
  // is measured up to its closing quote first.
  out.clear();
  out.reserve(static_cast<std::size_t>((wholeText ? end_ : StringEndHint(stop, end_)) - content));
  return ParseEscapedRest(content, stop, out);
}

// Decodes a string with escapes; `stop` is the first character of the
// content at `runStart` that is not plain text.
template <typename Unit>
bool JsonParser<Unit>::ParseEscapedRest(const Unit* runStart, const Unit* stop, std::u16string& out) {
  for (;;) {
    AppendContent(runStart, stop, out);
    if (stop == end_) return false;
    if (!json_scan::EndsRun(*stop)) {  // only a piece of a long run ended
      runStart = stop;
      stop = ScanRun(stop);
      continue;
    }
    if (*stop == u'"') {
      pos_ = stop + 1;
      return true;
    }
    if (*stop != u'\\') return false;  // a raw control character
    const Unit* next = stop + 1;
    const int unit = DecodeJsonEscape([&] { return next == end_ ? -1 : static_cast<int>(*next++); });
    if (unit < 0) return false;
    out.push_back(static_cast<char16_t>(unit));
    runStart = next;
    stop = ScanRun(next);
  }
}

// FindSpecial over at most kScanChunk code units. A long run is then
// copied in pieces that are still in the cache from the scan, instead of
// being read from memory a second time.
template <typename Unit>
const Unit* JsonParser<Unit>::ScanRun(const Unit* from) {
  return FindSpecial(from, end_ - from > kScanChunk ? RunCut(from, from + kScanChunk) : end_);
}

template <typename Unit>
const Unit* JsonParser<Unit>::FindSpecial(const Unit* from, const Unit* limit) {
  return json_scan::FindStringSpecial(from, limit);
}

template <typename Unit>
JsonValue JsonParser<Unit>::TextValue(JsonKind kind, const Unit* from, const Unit* to) const {
  if constexpr (std::is_same_v<Unit, char16_t>) {
    const std::u16string_view text(from, static_cast<std::size_t>(to - from));
    if (texts_ == JsonTexts::kBorrowed) return JsonValue::Borrowing(kind, text);
    return JsonValue(kind, std::u16string(text));
  } else {
    std::u16string text;
    text.reserve(static_cast<std::size_t>(to - from));
    AppendContent(from, to, text);
    return JsonValue(kind, std::move(text));
  }
}

// A number by the JSON grammar, kept exactly as written.
template <typename Unit>
bool JsonParser<Unit>::ParseNumber(JsonValue& out) {
  const Unit* p = pos_;
  auto digits = [&] {
    const Unit* from = p;
    while (p != end_ && IsDigit(*p)) ++p;
    return p != from;
  };
  if (*p == u'-') ++p;
  if (p == end_) return false;
  if (*p == u'0') {
    ++p;
  } else if (!digits()) {
    return false;
  }
  if (p != end_ && *p == u'.') {
    ++p;
    if (!digits()) return false;
  }
  if (p != end_ && (*p == u'e' || *p == u'E')) {
    ++p;
    if (p != end_ && (*p == u'+' || *p == u'-')) ++p;
    if (!digits()) return false;
  }
  out = TextValue(JsonKind::Number, pos_, p);
  pos_ = p;
  return true;
}

template <typename Unit>
bool JsonParser<Unit>::ParseWord(std::string_view word) {
  if (static_cast<std::size_t>(end_ - pos_) < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (pos_[i] != static_cast<unsigned char>(word[i])) return false;
  }
  pos_ += word.size();
  return true;
}

bool KeepsMember(JsonKeptMembers keep, const JsonValue& object, std::u16string_view name) {
  for (const std::u16string_view kept : keep) {
    if (kept == name) return object.Find(name) == nullptr;
  }
  return false;
}

template class JsonParser<char16_t>;
template class JsonParser<unsigned char>;

}  // namespace velmoran::codec
