#pragma once

// The shell's one window: the browser's host fills its client area; its
// creation step starts the web server, its first show starts the browser (or
// reports the loader's failure), F11 switches full screen, the browser's
// events are answered here or handed to the page bridge, and a browser whose
// processes fail is brought back (TWebCamFrmRecovery.cpp).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/ActivityLog.h"
#include "app/RecoveryLimit.h"
#include "app/TForm.h"
#include "app/TMemo.h"
#include "app/TPanel.h"
#include "bridge/PageBridge.h"
#include "launcher/LauncherHost.h"
#include "webview/browser/TWVBrowser.h"
#include "webview/browser/TWVWindowParent.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::app {

inline constexpr std::u16string_view kWebCamFrmCaption = u"벨모란 V.26.04.28";
inline constexpr std::int32_t kWebCamFrmClientWidth = 1106;
inline constexpr std::int32_t kWebCamFrmClientHeight = 607;
// Single fixed border with caption, system menu, minimise and maximise buttons.
inline constexpr std::uint32_t kWebCamFrmStyle = platform::kWsCaption | platform::kWsSysMenu |
                                                 platform::kWsMinimizeBox | platform::kWsMaximizeBox |
                                                 platform::kWsClipChildren;
// The window's font, which the log view takes too: bold, 11 pixels high.
inline constexpr std::u16string_view kWebCamFrmFontFace = u"맑은 고딕";
inline constexpr std::int32_t kWebCamFrmFontHeight = -11;
// Clears WS_CAPTION (WS_BORDER and WS_DLGFRAME) and WS_THICKFRAME, nothing else.
inline constexpr std::uint32_t kFullScreenStyleMask = 0xFF3BFFFF;
inline constexpr std::u16string_view kInitializationErrorPrefix = u"Initialization Error: ";
inline constexpr std::u16string_view kUnknownNavigationError = u"알 수 없는 오류 발생.";
inline constexpr std::u16string_view kNavigationFailedPrefix = u"페이지 이동 실패: ";
// The browser's first address until the launcher chooses one.
inline constexpr std::u16string_view kResourceDefaultURL = u"http://localhost/www/corvale2/";
// Bringing the browser back after one of its processes failed.
inline constexpr std::u16string_view kReloadingPage = u"페이지를 다시 불러옵니다.";
inline constexpr std::u16string_view kReloadFailed = u"페이지를 다시 불러오지 못했습니다.";
inline constexpr std::u16string_view kRecreatingBrowser = u"브라우저를 다시 시작합니다: ";
inline constexpr std::u16string_view kBrowserRecreated = u"브라우저를 다시 시작했습니다.";
inline constexpr std::u16string_view kEnvironmentRenewFailed = u"브라우저 환경을 다시 만들지 못했습니다: ";
inline constexpr std::u16string_view kBrowserRecreateFailed = u"브라우저를 다시 만들지 못했습니다.";
inline constexpr std::u16string_view kRecoveryStopped = u"브라우저 복구 중단: 1분 안에 3번 실패";
inline constexpr std::u16string_view kRecoveryStoppedBefore = u"브라우저 복구를 이미 중단했습니다.";
inline constexpr std::u16string_view kRecoveryGivenUpText =
    u"브라우저가 계속 종료되어 다시 시작하지 않습니다. 프로그램을 다시 실행해 주세요.";

class TWebCamFrm final : public TForm, public launcher::LauncherHost, public bridge::PageBridgeHost {
 public:
  explicit TWebCamFrm(TApplication& application);
  ~TWebCamFrm() override;

  // Components, in the order of the window's resource.
  TPanel Splitter1;
  TPanel Panel1;
  TMemo Memo1;
  webview::TWVWindowParent WVWindowParent1;
  webview::TWVBrowser WVBrowser1;

  void FormCreate(TForm* Sender);
  void FormShow(TForm* Sender);
  void FormKeyDown(TForm* Sender, std::uint16_t& Key, TShiftState Shift);
  void ToggleFullScreen() override;
  void WVBrowser1AfterCreated(webview::TWVBrowserBase* Sender);
  void WVBrowser1NavigationCompleted(webview::TWVBrowserBase* Sender, ICoreWebView2* aWebView,
                                     ICoreWebView2NavigationCompletedEventArgs* aArgs);
  void WVBrowser1WebMessageReceived(webview::TWVBrowserBase* Sender, ICoreWebView2* aWebView,
                                    ICoreWebView2WebMessageReceivedEventArgs* aArgs);
  void WVBrowser1ExecuteScriptCompleted(webview::TWVBrowserBase* Sender, HRESULT aErrorCode,
                                        const std::u16string& aResultObjectAsJson, std::int32_t aExecutionID);
  void WVBrowser1ProcessFailed(webview::TWVBrowserBase* Sender, ICoreWebView2* aWebView,
                               ICoreWebView2ProcessFailedEventArgs* aArgs);
  void WVBrowser1InitializationError(webview::TWVBrowserBase* Sender, HRESULT aErrorCode,
                                     const std::u16string& aErrorMessage);
  void SleepWithPeekMessage(std::int32_t Milliseconds) override;
  void RunApacheDirect();
  void logw(std::u16string_view str) override;
  void logwParts(std::span<const std::u16string_view> parts) override;

  bool FIsFullScreen = false;
  std::int32_t FOldWindowStyle = 0;
  platform::Rect FOldBounds{};
  // The address of the latest page that loaded, where a new browser goes back to.
  std::u16string FPageURL;

  std::intptr_t WindowProc(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;

 protected:
  void CreateChildren() override;
  std::vector<DockedWindow> DockedChildren() const override;
  void DoCreate() override { FormCreate(this); }
  void DoShow() override { FormShow(this); }
  void KeyDown(std::uint16_t& key, TShiftState shift) override { FormKeyDown(this, key, shift); }

 private:
  // LauncherHost
  void SetDefaultURL(std::u16string url) override { WVBrowser1.SetDefaultURL(std::move(url)); }
  std::u16string ApplicationTitle() const override;
  // PageBridgeHost
  void ExecuteScript(std::u16string_view script) override { WVBrowser1.ExecuteScript(script, 0); }

  void ShowInitializationError();
  void RequestBrowser();
  void SetBounds(const platform::Rect& bounds);
  void ForgetLoaderEvents();
  void AwaitLoader(webview::TLoaderNotifyEvent aOnCreated, webview::TLoaderNotifyEvent aOnError);
  // Recovery, run from the window's own message once the runtime's callback has returned.
  void RecreateBrowser();
  void CreateBrowserAgain();
  // Gives up from the window's own message: the box is never shown inside a runtime's callback.
  void QueueGiveUp();
  void GiveUpRecovery();

  ActivityLog FLog;
  bridge::PageBridge FBridge;
  bool FBrowserRequested = false;
  bool FAwaitingLoader = false;
  RecoveryLimit FRecoveryLimit;
  // From the decision to make the browser again until it is there.
  bool FRecreating = false;
};

// The main window, reachable by the whole program from before its creation
// step runs until it is destroyed.
extern TWebCamFrm* WebCamFrm;

}  // namespace velmoran::app
