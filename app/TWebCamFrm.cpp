#include "app/TWebCamFrm.h"

#include <optional>

#include "app/TApplication.h"
#include "base/Text.h"
#include "launcher/ApacheLauncher.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::app {

using namespace platform;

TWebCamFrm* WebCamFrm = nullptr;

namespace {

TFormProperties WebCamFrmProperties() {
  const LogFont font{kWebCamFrmFontHeight, kFwBold, kDefaultCharset, std::u16string(kWebCamFrmFontFace)};
  return TFormProperties{u"TWebCamFrm", kWebCamFrmClientWidth, kWebCamFrmClientHeight, kWebCamFrmStyle, true,
                         font};
}

}  // namespace

TWebCamFrm::TWebCamFrm(TApplication& application)
    : TForm(application, WebCamFrmProperties()),
      Splitter1(application.Platform().windows(), u"TSplitter", TAlign::alBottom, 5),
      Panel1(application.Platform().windows(), u"TPanel", TAlign::alBottom, 139),
      Memo1(application.Platform().windows(), application.Platform().graphics()),
      WVWindowParent1(application.Platform().windows()),
      WVBrowser1(application.Platform()),
      FLog(application.Platform(), Memo1.Contents()),
      FBridge(application.Platform(), *this) {
  WVWindowParent1.SetBrowser(&WVBrowser1);
  WVBrowser1.SetDefaultURL(std::u16string(kResourceDefaultURL));
  WVBrowser1.TargetCompatibleBrowserVersion = u"95.0.1020.44";
  WVBrowser1.AllowSingleSignOnUsingOSPrimaryAccount = false;
  WVBrowser1.OnAfterCreated = [this](webview::TWVBrowserBase* sender) { WVBrowser1AfterCreated(sender); };
  WVBrowser1.OnNavigationCompleted = [this](webview::TWVBrowserBase* sender, ICoreWebView2* webView,
                                            ICoreWebView2NavigationCompletedEventArgs* args) {
    WVBrowser1NavigationCompleted(sender, webView, args);
  };
  WVBrowser1.OnWebMessageReceived = [this](webview::TWVBrowserBase* sender, ICoreWebView2* webView,
                                           ICoreWebView2WebMessageReceivedEventArgs* args) {
    WVBrowser1WebMessageReceived(sender, webView, args);
  };
  WVBrowser1.OnExecuteScriptCompleted = [this](webview::TWVBrowserBase* sender, HRESULT errorCode,
                                               const std::u16string& result, std::int32_t executionId) {
    WVBrowser1ExecuteScriptCompleted(sender, errorCode, result, executionId);
  };
  WVBrowser1.OnInitializationError = [this](webview::TWVBrowserBase* sender, HRESULT errorCode,
                                            const std::u16string& message) {
    WVBrowser1InitializationError(sender, errorCode, message);
  };
  WVBrowser1.OnProcessFailed = [this](webview::TWVBrowserBase* sender, ICoreWebView2* webView,
                                      ICoreWebView2ProcessFailedEventArgs* args) {
    WVBrowser1ProcessFailed(sender, webView, args);
  };
  // A handler that threw while the runtime was calling back: the exception
  // stopped at the browser control; the log keeps what it was.
  WVBrowser1.OnHandlerException = [this](webview::TWVBrowserBase*, const std::u16string& callbackName,
                                         const std::u16string& description) {
    logw(u"Exception in " + callbackName + u" handler: " + description);
  };
}

TWebCamFrm::~TWebCamFrm() {
  // The loader outlives the window: it must not call back into a window that is gone.
  ForgetLoaderEvents();
  WVWindowParent1.SetBrowser(nullptr);
  Panel1.SetFillingControl(nullptr);
  Memo1.DestroyHandle();
  DestroyHandle();
}

void TWebCamFrm::CreateChildren() {
  auto realign = [this] { AlignControls(); };
  Splitter1.CreateHandle(Handle(), realign);
  Panel1.CreateHandle(Handle(), realign);
  Memo1.CreateHandle(Panel1.Handle(), Font());
  Panel1.SetFillingControl(&Memo1);
  WVWindowParent1.CreateHandle(Handle(), realign);
  WVBrowser1.SetFormHandle(Handle());
}

std::vector<DockedWindow> TWebCamFrm::DockedChildren() const {
  // Panel1 first: it lies on the bottom edge with the splitter above it.
  return {Panel1.Docking(), Splitter1.Docking(),
          DockedWindow{WVWindowParent1.Handle(), TAlign::alClient, 0, true}};
}

std::u16string TWebCamFrm::ApplicationTitle() const { return Application().Title(); }

void TWebCamFrm::logw(std::u16string_view str) { FLog.logw(str); }

void TWebCamFrm::logwParts(std::span<const std::u16string_view> parts) { FLog.logw(parts); }

void TWebCamFrm::FormCreate(TForm*) {
  RunApacheDirect();
  SetCaption(kWebCamFrmCaption);
}

void TWebCamFrm::RunApacheDirect() { launcher::RunApacheDirect(Platform(), *this); }

void TWebCamFrm::FormShow(TForm*) {
  webview::TWVLoader* loader = webview::SharedWebViewLoader();
  if (loader != nullptr && loader->InitializationError()) {
    ShowInitializationError();
  } else if (loader != nullptr && loader->Initialized()) {
    RequestBrowser();
  } else if (loader != nullptr) {
    // The loader has not answered yet: its answer decides later, exactly as
    // it would have decided here.
    // Each handler lets go of both before it acts, which destroys the running
    // handler itself: it keeps the window in a local first and reads nothing
    // of its own afterwards.
    AwaitLoader(
        [this](webview::TWVLoader*) {
          TWebCamFrm& frame = *this;
          frame.ForgetLoaderEvents();
          frame.RequestBrowser();
        },
        [this](webview::TWVLoader*) {
          TWebCamFrm& frame = *this;
          frame.ForgetLoaderEvents();
          frame.ShowInitializationError();
        });
  }
  Splitter1.SetVisible(false);
  Panel1.SetVisible(false);
}

void TWebCamFrm::ShowInitializationError() {
  const webview::TWVLoader* loader = webview::SharedWebViewLoader();
  const std::u16string text = std::u16string(kInitializationErrorPrefix) +
                              (loader != nullptr ? loader->ErrorMessage() : std::u16string());
  Platform().windows().MessageBoxW(0, text, Application().Title(), kMbOk);
}

void TWebCamFrm::RequestBrowser() {
  if (FBrowserRequested) return;
  FBrowserRequested = true;
  WVBrowser1.CreateBrowser(WVWindowParent1.Handle(), true);
}

void TWebCamFrm::AwaitLoader(webview::TLoaderNotifyEvent aOnCreated, webview::TLoaderNotifyEvent aOnError) {
  webview::TWVLoader* loader = webview::SharedWebViewLoader();
  if (loader == nullptr) return;
  FAwaitingLoader = true;
  loader->OnEnvironmentCreated = std::move(aOnCreated);
  loader->OnInitializationError = std::move(aOnError);
}

void TWebCamFrm::ForgetLoaderEvents() {
  if (!FAwaitingLoader) return;
  FAwaitingLoader = false;
  if (webview::TWVLoader* loader = webview::SharedWebViewLoader()) {
    loader->OnEnvironmentCreated = nullptr;
    loader->OnInitializationError = nullptr;
  }
}

void TWebCamFrm::FormKeyDown(TForm*, std::uint16_t& Key, TShiftState) {
  if (Key != kVkF11) return;
  ToggleFullScreen();
  Key = 0;
}

void TWebCamFrm::SetBounds(const Rect& bounds) {
  Platform().windows().SetWindowPos(Handle(), 0, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                                    kSwpNoZOrder | kSwpNoActivate);
}

void TWebCamFrm::ToggleFullScreen() {
  const WindowHandle handle = Handle();
  if (handle == 0) return;
  WindowManager& windows = Platform().windows();
  if (!FIsFullScreen) {
    windows.GetWindowRect(handle, FOldBounds);
    FOldWindowStyle = windows.GetWindowLongW(handle, kGwlStyle);
    windows.SetWindowLongW(handle, kGwlStyle,
                           FOldWindowStyle & static_cast<std::int32_t>(kFullScreenStyleMask));
    MonitorInfo monitor;
    if (windows.GetMonitorInfoW(windows.MonitorFromWindow(handle, kMonitorDefaultToNearest), monitor)) {
      SetBounds(monitor.rcMonitor);
    }
  } else {
    windows.SetWindowLongW(handle, kGwlStyle, FOldWindowStyle);
    SetBounds(FOldBounds);
  }
  FIsFullScreen = !FIsFullScreen;
  windows.ShowWindow(handle, kSwShow);
}

void TWebCamFrm::WVBrowser1AfterCreated(webview::TWVBrowserBase*) {
  WVWindowParent1.UpdateSize();
  if (FRecreating) {
    FRecreating = false;
    logw(kBrowserRecreated);
  }
}

void TWebCamFrm::WVBrowser1NavigationCompleted(webview::TWVBrowserBase*, ICoreWebView2* aWebView,
                                               ICoreWebView2NavigationCompletedEventArgs* aArgs) {
  // A read that fails leaves "failed, status unknown": the navigation is not taken for a success.
  BOOL isSuccess = 0;
  COREWEBVIEW2_WEB_ERROR_STATUS status{};
  if (aArgs != nullptr) {
    aArgs->get_IsSuccess(&isSuccess);
    aArgs->get_WebErrorStatus(&status);
  }
  if (isSuccess != 0) {
    webview::CoTaskMemText source(Platform().com());
    if (aWebView != nullptr && aWebView->get_Source(source.Put()) == 0 && !source.View().empty())
      FPageURL = source.ToU16String();
    return;
  }
  const auto code = static_cast<std::int32_t>(status);
  if (code == 0) {
    logw(kUnknownNavigationError);
  } else {
    logw(std::u16string(kNavigationFailedPrefix) + DecimalText(code));
  }
}

void TWebCamFrm::WVBrowser1WebMessageReceived(webview::TWVBrowserBase*, ICoreWebView2*,
                                              ICoreWebView2WebMessageReceivedEventArgs* aArgs) {
  // A link or a redirect may take the browser to another site; only the
  // start page's own origin may have its messages stored and answered.
  webview::CoTaskMemText source(Platform().com());
  const bool sourceRead = aArgs != nullptr && aArgs->get_Source(source.Put()) == 0;
  const std::u16string_view sourceText = source.View();
  if (!FBridge.AcceptsSource(sourceRead ? &sourceText : nullptr, WVBrowser1.DefaultURL())) return;

  webview::CoTaskMemText json(Platform().com());
  const bool read = aArgs != nullptr && aArgs->get_WebMessageAsJson(json.Put()) == 0;
  // Decoded where the runtime handed it over: a capture's megabytes are not copied again first.
  if (read) {
    FBridge.WebMessageReceived(json.View());
  } else {
    FBridge.WebMessageReceived(nullptr);
  }
}

void TWebCamFrm::WVBrowser1ExecuteScriptCompleted(webview::TWVBrowserBase*, HRESULT aErrorCode,
                                                  const std::u16string& aResultObjectAsJson,
                                                  std::int32_t aExecutionID) {
  FBridge.ExecuteScriptCompleted(aErrorCode, aResultObjectAsJson, aExecutionID);
}

void TWebCamFrm::SleepWithPeekMessage(std::int32_t Milliseconds) {
  if (Milliseconds <= 0) return;
  WindowManager& windows = Platform().windows();
  Clock& clock = Platform().clock();
  const std::uint32_t start = clock.GetTickCount();
  const auto length = static_cast<std::uint32_t>(Milliseconds);
  // A quit request taken here belongs to the main loop: it is handed back when the wait is over.
  std::optional<std::int32_t> quitCode;
  while (clock.GetTickCount() - start < length) {
    Message message;
    if (windows.PeekMessageW(message, 0, 0, 0, kPmRemove)) {
      if (message.message == kWmQuit) {
        quitCode = static_cast<std::int32_t>(message.wParam);
      } else {
        windows.TranslateMessage(message);
        windows.DispatchMessageW(message);
      }
    }
    clock.Sleep(1);
  }
  if (quitCode) windows.PostQuitMessage(*quitCode);
}

}  // namespace velmoran::app
