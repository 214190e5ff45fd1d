// The main window's part in a browser whose processes fail: the failure is
// logged; a page whose renderer died is loaded again; a browser whose browser
// process died is closed and made again in the same host window, from a new
// environment (the old one died with its browser process), back at the page it
// had. A third failure within a minute ends the recovery for good, with one
// message box.
//
// The runtime's callback only decides: closing the browser inside the
// callback of its own webview, or a modal box pumping messages there, could
// pull the webview away under the runtime's feet. The window's own message
// carries the rest out once the callback has returned.

#include "app/ProcessFailure.h"
#include "app/TApplication.h"
#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::app {

namespace {

constexpr std::uint32_t kRecoveryMessage = platform::kWmApp + 1;
enum RecoveryStep : std::uintptr_t { kRecreateStep, kGiveUpStep };

std::u16string LoaderErrorCode() {
  const webview::TWVLoader* loader = webview::SharedWebViewLoader();
  const std::int64_t code = loader != nullptr ? loader->ErrorCode() : 0;
  return u"0x" + Hex8(static_cast<std::uint32_t>(code));
}

}  // namespace

void TWebCamFrm::WVBrowser1ProcessFailed(webview::TWVBrowserBase*, ICoreWebView2*,
                                         ICoreWebView2ProcessFailedEventArgs* aArgs) {
  const ProcessFailure failure = ReadProcessFailure(Platform().com(), aArgs);
  logw(ProcessFailureText(failure));
  const ProcessRecovery recovery = RecoveryFor(failure.kind);
  // A browser on its way back has nothing left to recover.
  if (recovery == ProcessRecovery::None || FRecreating) return;
  if (FRecoveryLimit.Exhausted()) {
    logw(kRecoveryStoppedBefore);
    return;
  }
  if (!FRecoveryLimit.Allow(Platform().clock().GetTickCount())) {
    logw(kRecoveryStopped);
    QueueGiveUp();
    return;
  }
  if (recovery == ProcessRecovery::ReloadPage) {
    logw(kReloadingPage);
    if (!WVBrowser1.Refresh()) logw(kReloadFailed);
    return;
  }
  FRecreating = true;
  const std::u16string& address = FPageURL.empty() ? WVBrowser1.DefaultURL() : FPageURL;
  logw(std::u16string(kRecreatingBrowser) + address);
  Platform().windows().PostMessageW(Handle(), kRecoveryMessage, kRecreateStep, 0);
}

std::intptr_t TWebCamFrm::WindowProc(platform::WindowHandle window, std::uint32_t message,
                                     std::uintptr_t wParam, std::intptr_t lParam) {
  if (message != kRecoveryMessage || window != Handle())
    return TForm::WindowProc(window, message, wParam, lParam);
  if (wParam == kRecreateStep) {
    RecreateBrowser();
  } else {
    GiveUpRecovery();
  }
  return 0;
}

void TWebCamFrm::RecreateBrowser() {
  WVBrowser1.CloseBrowser();
  webview::TWVLoader* loader = webview::SharedWebViewLoader();
  if (loader == nullptr || !loader->RenewEnvironment()) {
    logw(std::u16string(kEnvironmentRenewFailed) + LoaderErrorCode());
    GiveUpRecovery();
    return;
  }
  // Each handler lets go of both before it acts, which destroys the running
  // handler itself: it keeps the window in a local first.
  AwaitLoader(
      [this](webview::TWVLoader*) {
        TWebCamFrm& frame = *this;
        frame.ForgetLoaderEvents();
        frame.CreateBrowserAgain();
      },
      [this](webview::TWVLoader*) {
        TWebCamFrm& frame = *this;
        frame.ForgetLoaderEvents();
        frame.logw(std::u16string(kEnvironmentRenewFailed) + LoaderErrorCode());
        frame.QueueGiveUp();
      });
}

void TWebCamFrm::CreateBrowserAgain() {
  // The control opens DefaultURL once the new browser is complete: the page the old one had.
  if (!FPageURL.empty()) WVBrowser1.SetDefaultURL(FPageURL);
  if (!WVBrowser1.CreateBrowser(WVWindowParent1.Handle(), true)) {
    logw(kBrowserRecreateFailed);
    QueueGiveUp();
  }
}

// Creation reports its failures only here. The first browser's stay silent, as
// they always were; a browser made again after a failure that does not come
// is the end of the recovery.
void TWebCamFrm::WVBrowser1InitializationError(webview::TWVBrowserBase*, HRESULT,
                                               const std::u16string& aErrorMessage) {
  if (!FRecreating) return;
  // One log line: the message's line breaks become spaces.
  std::u16string line(kBrowserRecreateFailed);
  line += u' ';
  for (char16_t c : aErrorMessage) {
    if (c != u'\r') line += c == u'\n' ? u' ' : c;
  }
  logw(line);
  QueueGiveUp();
}

void TWebCamFrm::QueueGiveUp() {
  FRecreating = false;
  Platform().windows().PostMessageW(Handle(), kRecoveryMessage, kGiveUpStep, 0);
}

void TWebCamFrm::GiveUpRecovery() {
  FRecreating = false;
  Platform().windows().MessageBoxW(0, kRecoveryGivenUpText, Application().Title(), platform::kMbOk);
}

}  // namespace velmoran::app
