#include "webview/browser/JsonDataMember.h"

#include <cstddef>
#include <optional>

namespace velmoran::webview {

namespace {

class Scanner {
 public:
  explicit Scanner(std::u16string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() &&
           (text_[pos_] == u' ' || text_[pos_] == u'\t' || text_[pos_] == u'\r' || text_[pos_] == u'\n')) {
      ++pos_;
    }
  }
  bool Take(char16_t c) {
    SkipBlanks();
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }
  bool Peek(char16_t c) {
    SkipBlanks();
    return pos_ < text_.size() && text_[pos_] == c;
  }

  // A string literal at the current place, escapes resolved.
  std::optional<std::u16string> String() {
    if (!Take(u'"')) return std::nullopt;
    std::u16string value;
    while (pos_ < text_.size()) {
      const char16_t c = text_[pos_++];
      if (c == u'"') return value;
      if (c != u'\\') {
        value += c;
        continue;
      }
      if (pos_ >= text_.size()) return std::nullopt;
      const char16_t escaped = text_[pos_++];
      switch (escaped) {
        case u'b':
          value += u'\b';
          break;
        case u'f':
          value += u'\f';
          break;
        case u'n':
          value += u'\n';
          break;
        case u'r':
          value += u'\r';
          break;
        case u't':
          value += u'\t';
          break;
        case u'u': {
          if (pos_ + 4 > text_.size()) return std::nullopt;
          char16_t unit = 0;
          for (int i = 0; i < 4; ++i) {
            const char16_t h = text_[pos_++];
            unit = static_cast<char16_t>(unit * 16);
            if (h >= u'0' && h <= u'9')
              unit = static_cast<char16_t>(unit + (h - u'0'));
            else if (h >= u'a' && h <= u'f')
              unit = static_cast<char16_t>(unit + (h - u'a' + 10));
            else if (h >= u'A' && h <= u'F')
              unit = static_cast<char16_t>(unit + (h - u'A' + 10));
            else
              return std::nullopt;
          }
          value += unit;
          break;
        }
        default:
          value += escaped;
          break;
      }
    }
    return std::nullopt;
  }

  // Steps over any value: strings with their escapes, and nested objects and arrays as a whole.
  bool SkipValue() {
    SkipBlanks();
    if (Peek(u'"')) return String().has_value();
    std::size_t depth = 0;
    while (pos_ < text_.size()) {
      const char16_t c = text_[pos_];
      if (c == u'"') {
        if (!String()) return false;
        continue;
      }
      if (c == u'{' || c == u'[') ++depth;
      if (c == u'}' || c == u']') {
        if (depth == 0) return true;  // the end of the enclosing object
        --depth;
      }
      if (c == u',' && depth == 0) return true;
      ++pos_;
    }
    return depth == 0;
  }

 private:
  std::u16string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::u16string JsonDataMember(std::u16string_view aJson) {
  Scanner scanner(aJson);
  if (!scanner.Take(u'{')) return {};
  while (!scanner.Peek(u'}')) {
    const std::optional<std::u16string> key = scanner.String();
    if (!key || !scanner.Take(u':')) return {};
    if (*key == u"data") {
      if (!scanner.Peek(u'"')) return {};
      return scanner.String().value_or(std::u16string());
    }
    if (!scanner.SkipValue()) return {};
    if (!scanner.Take(u',')) return {};
  }
  return {};
}

}  // namespace velmoran::webview
