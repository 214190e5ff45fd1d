#include "runtime/sim/SimWebViewPage.h"

#include <utility>

#include "codec/JsonString.h"
#include "runtime/sim/SimDownloadOperation.h"
#include "runtime/sim/SimFrame.h"
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

webview::ComPtr<SimFrame> SimWebViewPage::AddFrame(std::u16string name) {
  return webView_.AddFrame(std::move(name));
}

webview::ComPtr<SimDownloadOperation> SimWebViewPage::StartDownload(const SimDownloadConfig& config) {
  return webView_.StartDownload(config);
}

}  // namespace velmoran::runtime::sim
