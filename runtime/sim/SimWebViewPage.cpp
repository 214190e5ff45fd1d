#include "runtime/sim/SimWebViewPage.h"

#include <utility>

#include "codec/JsonString.h"
#include "runtime/sim/SimDownloadOperation.h"
#include "runtime/sim/SimFrame.h"
#include "runtime/sim/SimWebView.h"

namespace velmoran::runtime::sim {

void SimWebViewPage::FollowLink(std::u16string url) { webView_.StartNavigation(std::move(url)); }

void SimWebViewPage::PostWebMessageAsString(std::u16string_view message) {
  webView_.DeliverWebMessage(codec::JsonStringLiteral(message), std::u16string(message));
}

void SimWebViewPage::PostWebMessageAsJson(std::u16string_view messageAsJson) {
  webView_.DeliverWebMessage(std::u16string(messageAsJson), std::nullopt);
}

void SimWebViewPage::PostUnreadableWebMessage() { webView_.DeliverWebMessage(std::nullopt, std::nullopt); }

void SimWebViewPage::CallHostObject(std::u16string_view name, std::u16string_view method,
                                    std::vector<webview::AutomationValue> arguments,
                                    std::function<void(const webview::DispatchCallResult&)> onResult) {
  webView_.CallHostObject(std::u16string(name), std::u16string(method), std::move(arguments),
                          std::move(onResult));
}

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
