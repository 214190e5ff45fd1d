#include "webview/browser/RetrievedText.h"

#include "base/Text.h"

namespace velmoran::webview {

namespace {

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

}  // namespace

std::u16string UrlDecode(std::u16string_view aText) {
  // Escapes stand for UTF-8 bytes; everything else is kept as UTF-8 too, so
  // the whole text converts back in one step.
  std::string bytes;
  bytes.reserve(aText.size());
  std::size_t plainStart = 0;
  for (std::size_t i = 0; i < aText.size(); ++i) {
    if (aText[i] != u'%' || i + 2 >= aText.size()) continue;
    const int high = HexValue(aText[i + 1]);
    const int low = HexValue(aText[i + 2]);
    if (high < 0 || low < 0) continue;
    AppendUtf16AsUtf8(aText.substr(plainStart, i - plainStart), bytes);
    bytes.push_back(static_cast<char>(high * 16 + low));
    i += 2;
    plainStart = i + 1;
  }
  AppendUtf16AsUtf8(aText.substr(plainStart), bytes);
  return Utf8ToUtf16(bytes);
}

std::u16string DecodeRetrievedText(std::u16string_view aResultObjectAsJson) {
  std::u16string text = UrlDecode(aResultObjectAsJson);
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') text = text.substr(1, text.size() - 2);
  return text;
}

}  // namespace velmoran::webview
