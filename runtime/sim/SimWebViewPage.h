#pragma once

// The page shown in a simulated webview, as a test drives it: what the page's
// script would post to the host with postMessage. A string arrives in its JSON
// form, quotes and escapes included; a JSON text arrives as it is.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "webview/abi/AutomationValue.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::runtime::sim {

class SimWebView;
class SimFrame;
class SimDownloadOperation;
struct SimDownloadConfig;

class SimWebViewPage {
 public:
  explicit SimWebViewPage(SimWebView& webView) : webView_(webView) {}

  // The page leaves for `url` by itself, through a link the user follows or a
  // redirect of its server: NavigationStarting and NavigationCompleted follow
  // as for the host's Navigate (which does not list it), and from then on the
  // page's messages come from `url`, their arguments' Source.
  void FollowLink(std::u16string url);
  void PostWebMessageAsString(std::u16string_view message);
  void PostWebMessageAsJson(std::u16string_view messageAsJson);
  // A message whose text the host cannot read: every getter of its text fails.
  void PostUnreadableWebMessage();
  // A message whose text getters hand over a pointer to memory that does not
  // exist: the host crashes when it reads the text.
  void PostWebMessagePointingNowhere();
  // An iframe appears in the page; the test drives it through the frame.
  webview::ComPtr<SimFrame> AddFrame(std::u16string name);
  // A link of the page leads to a download; the test drives it through the operation.
  webview::ComPtr<SimDownloadOperation> StartDownload(const SimDownloadConfig& config);
  // `chrome.webview.hostObjects.<name>.<method>(arguments...)`: on a later pump the host object's method is
  // called by name and `onResult` gets its value, or the failure the page's promise is rejected with
  // (E_ACCESSDENIED while host objects are not allowed, DISP_E_UNKNOWNNAME for a name without an object).
  void CallHostObject(std::u16string_view name, std::u16string_view method,
                      std::vector<webview::AutomationValue> arguments,
                      std::function<void(const webview::DispatchCallResult&)> onResult);

 private:
  SimWebView& webView_;
};

}  // namespace velmoran::runtime::sim
