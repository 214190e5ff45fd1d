#include "runtime/sim/SimWebViewPage.h"

#include "codec/JsonString.h"
#include "runtime/sim/SimWebView.h"

namespace velmoran::runtime::sim {

void SimWebViewPage::PostWebMessageAsString(std::u16string_view message) {
  webView_.DeliverWebMessage(codec::JsonStringLiteral(message), std::u16string(message));
}

void SimWebViewPage::PostWebMessageAsJson(std::u16string_view messageAsJson) {
  webView_.DeliverWebMessage(std::u16string(messageAsJson), std::nullopt);
}

void SimWebViewPage::PostUnreadableWebMessage() { webView_.DeliverWebMessage(std::nullopt, std::nullopt); }

void SimWebViewPage::PostWebMessagePointingNowhere() {
  webView_.DeliverWebMessage(std::nullopt, std::nullopt, true);
}

}  // namespace velmoran::runtime::sim
