#pragma once

// The shell's one window: the browser's host fills its client area; its
// creation step starts the web server, its first show starts the browser (or
// reports the loader's failure), F11 switches full screen, and the browser's
// events are answered here or handed to the page bridge.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/ActivityLog.h"
#include "app/TForm.h"
#include "app/TMemo.h"
#include "app/TPanel.h"
#include "bridge/PageBridge.h"
#include "launcher/LauncherHost.h"
#include "webview/browser/TWVBrowser.h"
#include "webview/browser/TWVWindowParent.h"

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
  void SleepWithPeekMessage(std::int32_t Milliseconds) override;
  void RunApacheDirect();
  void logw(std::u16string_view str) override;
  void logwParts(std::span<const std::u16string_view> parts) override;

  bool FIsFullScreen = false;
  std::int32_t FOldWindowStyle = 0;
  platform::Rect FOldBounds{};

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

  ActivityLog FLog;
  bridge::PageBridge FBridge;
  bool FBrowserRequested = false;
  bool FAwaitingLoader = false;
};

// The main window, reachable by the whole program from before its creation
// step runs until it is destroyed.
extern TWebCamFrm* WebCamFrm;

}  // namespace velmoran::app
