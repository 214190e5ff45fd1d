#include "runtime/sim/SimWebViewPage.h"

#include "runtime/sim/SimWebView.h"

namespace velmoran::runtime::sim {

void SimWebViewPage::PostWebMessageAsString(std::u16string_view message) {
  webView_.DeliverWebMessage(JsonStringLiteral(message), std::u16string(message));
}

void SimWebViewPage::PostWebMessageAsJson(std::u16string_view messageAsJson) {
  webView_.DeliverWebMessage(std::u16string(messageAsJson), std::nullopt);
}

void SimWebViewPage::PostUnreadableWebMessage() { webView_.DeliverWebMessage(std::nullopt, std::nullopt); }

std::u16string SimWebViewPage::JsonStringLiteral(std::u16string_view text) {
  static constexpr char16_t kHex[] = u"0123456789abcdef";
  std::u16string literal = u"\"";
  for (char16_t c : text) {
    switch (c) {
      case u'"':
        literal += u"\\\"";
        break;
      case u'\\':
        literal += u"\\\\";
        break;
      case u'\b':
        literal += u"\\b";
        break;
      case u'\f':
        literal += u"\\f";
        break;
      case u'\n':
        literal += u"\\n";
        break;
      case u'\r':
        literal += u"\\r";
        break;
      case u'\t':
        literal += u"\\t";
        break;
      default:
        if (c < 0x20) {
          literal += u"\\u00";
          literal += kHex[(c >> 4) & 0xF];
          literal += kHex[c & 0xF];
        } else {
          literal += c;
        }
    }
  }
  literal += u'"';
  return literal;
}

}  // namespace velmoran::runtime::sim
