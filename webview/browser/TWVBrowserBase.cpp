#include "webview/browser/TWVBrowserBase.h"

#include <exception>

#include "base/Text.h"
#include "webview/browser/RuntimeWindowHook.h"
#include "webview/browser/TCoreWebView2.h"
#include "webview/browser/TCoreWebView2CompositionController.h"
#include "webview/browser/TCoreWebView2ContextMenuItem.h"
#include "webview/browser/TCoreWebView2Controller.h"
#include "webview/browser/TCoreWebView2ControllerOptions.h"
#include "webview/browser/TCoreWebView2DownloadOperation.h"
#include "webview/browser/TCoreWebView2Frame.h"
#include "webview/browser/TCoreWebView2Notification.h"
#include "webview/browser/TCoreWebView2PrintSettings.h"
#include "webview/browser/TCoreWebView2Profile.h"
#include "webview/browser/TCoreWebView2Settings.h"
#include "webview/browser/WindowHandleCast.h"
#include "webview/loader/LoaderErrorTexts.h"
#include "webview/loader/QueryInterfaceLogged.h"
#include "webview/loader/TCoreWebView2Environment.h"
#include "webview/loader/TWVLoader.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

namespace {

constexpr char16_t kCRLF[] = u"\r\n";
constexpr char16_t kControllerOptionsError[] = u"There was an error creating the controller options. (2)";
constexpr char16_t kControllerRequestError[] = u"There was an error creating the controller. (4)";
constexpr char16_t kControllerCompletionError[] = u"There was an error creating the controller. (2)";
constexpr char16_t kNoWebViewError[] = u"There was an error getting the browser webview.";
constexpr char16_t kNoSettingsError[] = u"There was an error getting the browser settings.";
constexpr char16_t kNoCompositionControllerError[] =
    u"The environment doesn't support a composition controller.";
constexpr char16_t kCompositionControllerRequestError[] =
    u"There was an error creating the composition controller. (4)";
constexpr char16_t kCompositionControllerCompletionError[] =
    u"There was an error creating the composition controller. (2)";

// "<headline>" CR LF "Error code : 0x<hex8>" CR LF "<why>".
std::u16string CreationErrorText(std::u16string_view headline, HRESULT code, const std::u16string& why) {
  std::u16string text(headline);
  text += kCRLF;
  text += ErrorCodeText(code);
  text += kCRLF;
  text += why;
  return text;
}

}  // namespace

TWVBrowserBase::TWVBrowserBase(platform::Platform& platform)
    : FPlatform(platform),
      FClearBrowsingDataCompletedHandler(MakeComObject<TCoreWebView2ClearBrowsingDataCompletedHandler>(this)),
      FSetPermissionStateCompletedHandler(
          MakeComObject<TCoreWebView2SetPermissionStateCompletedHandler>(this)),
      FGetNonDefaultPermissionSettingsCompletedHandler(
          MakeComObject<TCoreWebView2GetNonDefaultPermissionSettingsCompletedHandler>(this)),
      FProfileAddBrowserExtensionCompletedHandler(
          MakeComObject<TCoreWebView2ProfileAddBrowserExtensionCompletedHandler>(this)),
      FProfileGetBrowserExtensionsCompletedHandler(
          MakeComObject<TCoreWebView2ProfileGetBrowserExtensionsCompletedHandler>(this)) {}

TWVBrowserBase::~TWVBrowserBase() {
  // No runtime callback may reach a control that is coming apart, and the
  // components that watch this one must let go of it first.
  DetachSinks();
  NotifyRemoval();

  CloseBrowser();
  RestoreAllCompWindows();

  FClearBrowsingDataCompletedHandler.Reset();
  FSetPermissionStateCompletedHandler.Reset();
  FGetNonDefaultPermissionSettingsCompletedHandler.Reset();
  FProfileAddBrowserExtensionCompletedHandler.Reset();
  FProfileGetBrowserExtensionsCompletedHandler.Reset();
}

bool TWVBrowserBase::Initialized() const {
  const bool windowed = FCoreWebView2Environment && FCoreWebView2Environment->Initialized() &&
                        FCoreWebView2 && FCoreWebView2->Initialized() && FCoreWebView2Settings &&
                        FCoreWebView2Settings->Initialized() && FCoreWebView2Controller &&
                        FCoreWebView2Controller->Initialized();
  return windowed && (!FUseCompositionController || (FCoreWebView2CompositionController &&
                                                     FCoreWebView2CompositionController->Initialized()));
}

void TWVBrowserBase::CloseBrowser() {
  // Frames and downloads hold subscriptions on objects of the webview: they go before it.
  ReleaseFramesAndDownloads();
  for (std::size_t kind = 0; kind < kCompWindowKinds; ++kind)
    ReplaceCompWindow(static_cast<TCompWindowKind>(kind), 0);
  // The application's menu items and the page's notifications first: their
  // subscriptions go before the objects that made them.
  ReleaseCustomMenuItemsAndNotifications();
  FCoreWebView2Profile.reset();
  FCoreWebView2PrintSettings.reset();
  FCoreWebView2Settings.reset();
  FCoreWebView2Environment.reset();
  // The webview and controller wrappers remove their subscriptions first; the
  // controller is closed only after that.
  FCoreWebView2.reset();
  FCoreWebView2Controller.reset();
  FCoreWebView2CompositionController.reset();
  FIsNavigating = false;
}

float TWVBrowserBase::ScreenScale() const {
  const TWVLoader* loader = SharedWebViewLoader();
  return loader != nullptr ? loader->DeviceScaleFactor() : 1.0f;
}

bool TWVBrowserBase::CreateBrowser(platform::WindowHandle aHandle, bool aUseDefaultEnvironment) {
  // The reference is held for the length of the call only.
  ComPtr<ICoreWebView2Environment> environment;
  const TWVLoader* loader = SharedWebViewLoader();
  if (aUseDefaultEnvironment && loader != nullptr)
    environment = ComPtr<ICoreWebView2Environment>(loader->Environment());
  return CreateBrowser(aHandle, environment.Get());
}

bool TWVBrowserBase::CreateBrowser(platform::WindowHandle aHandle, ICoreWebView2Environment* aEnvironment) {
  const TWVLoader* loader = SharedWebViewLoader();
  if (aHandle == 0 || loader == nullptr || !loader->Initialized() || Initialized()) return false;
  FUseCompositionController = false;
  return StartBrowserCreation(aHandle, aEnvironment);
}

bool TWVBrowserBase::CreateWindowlessBrowser(platform::WindowHandle aHandle, bool aUseDefaultEnvironment) {
  ComPtr<ICoreWebView2Environment> environment;
  const TWVLoader* loader = SharedWebViewLoader();
  if (aUseDefaultEnvironment && loader != nullptr)
    environment = ComPtr<ICoreWebView2Environment>(loader->Environment());
  return CreateWindowlessBrowser(aHandle, environment.Get());
}

bool TWVBrowserBase::CreateWindowlessBrowser(platform::WindowHandle aHandle,
                                             ICoreWebView2Environment* aEnvironment) {
  const TWVLoader* loader = SharedWebViewLoader();
  if (aHandle == 0 || loader == nullptr || !loader->Initialized() || Initialized()) return false;
  FUseCompositionController = true;
  return StartBrowserCreation(aHandle, aEnvironment);
}

bool TWVBrowserBase::StartBrowserCreation(platform::WindowHandle aHandle,
                                          ICoreWebView2Environment* aEnvironment) {
  FWindowParentHandle = aHandle;
  // An Initialized loader always holds its environment; without one there is
  // nothing to create the browser from (the control never makes its own here).
  if (aEnvironment == nullptr) return false;

  FCoreWebView2Environment.reset();
  FUseDefaultEnvironment = true;
  FCoreWebView2Environment = std::make_unique<TCoreWebView2Environment>(FPlatform.com(), aEnvironment);
  return StartControllerCreation();
}

namespace {

// HWND_MESSAGE: the parent of message-only windows.
constexpr platform::WindowHandle kMessageOnlyParent = static_cast<platform::WindowHandle>(-3);

}  // namespace

bool TWVBrowserBase::CreateInvisibleBrowser(bool aUseDefaultEnvironment) {
  return CreateBrowser(kMessageOnlyParent, aUseDefaultEnvironment);
}

bool TWVBrowserBase::CreateInvisibleBrowser(ICoreWebView2Environment* aEnvironment) {
  return CreateBrowser(kMessageOnlyParent, aEnvironment);
}

bool TWVBrowserBase::StartControllerCreation() {
  if (!FCoreWebView2Environment) return false;
  const HWND parent = ToHWND(FWindowParentHandle);
  if (FUseCompositionController && !FCoreWebView2Environment->SupportsCompositionController()) {
    RaiseInitializationError(E_NOINTERFACE, kNoCompositionControllerError);
    return false;
  }

  HRESULT optionsResult = E_FAIL;
  ComPtr<ICoreWebView2ControllerOptions> options;
  HRESULT requestResult = E_FAIL;
  bool requested = false;
  if (FCoreWebView2Environment->CreateCoreWebView2ControllerOptions(options, optionsResult) && options) {
    {
      TCoreWebView2ControllerOptions wrapper(options.Get(), FPlatform.com());
      // An empty profile name is put as an empty text, not left out.
      wrapper.SetProfileName(FProfileName);
      wrapper.SetIsInPrivateModeEnabled(FIsInPrivateModeEnabled);
      // Put only through ICoreWebView2ControllerOptions2, when the runtime offers it.
      wrapper.SetScriptLocale(FScriptLocale);
    }
    requested = FUseCompositionController
                    ? FCoreWebView2Environment->CreateCoreWebView2CompositionControllerWithOptions(
                          parent, options.Get(), requestResult, this)
                    : FCoreWebView2Environment->CreateCoreWebView2ControllerWithOptions(parent, options.Get(),
                                                                                        requestResult, this);
    options.Reset();
  } else if (optionsResult == E_NOTIMPL) {
    // A runtime without controller options cannot honour these two: the control says so by clearing them.
    FProfileName.clear();
    FIsInPrivateModeEnabled = false;
    requested =
        FUseCompositionController
            ? FCoreWebView2Environment->CreateCoreWebView2CompositionController(parent, this, requestResult)
            : FCoreWebView2Environment->CreateCoreWebView2Controller(parent, this, requestResult);
  } else {
    RaiseInitializationError(optionsResult, CreationErrorText(kControllerOptionsError, optionsResult,
                                                              ControllerOptionsErrorText(optionsResult)));
    return false;
  }

  if (!requested) {
    if (FUseCompositionController) {
      RaiseInitializationError(requestResult,
                               CreationErrorText(kCompositionControllerRequestError, requestResult,
                                                 CompositionControllerErrorText(requestResult)));
    } else {
      RaiseInitializationError(requestResult, CreationErrorText(kControllerRequestError, requestResult,
                                                                ControllerErrorText(requestResult)));
    }
    return false;
  }
  return true;
}

void TWVBrowserBase::RaiseInitializationError(HRESULT aErrorCode, const std::u16string& aErrorMessage) {
  NotifyInitializationError(aErrorCode, aErrorMessage);
}

HRESULT TWVBrowserBase::HandleControllerCompleted(HRESULT errorCode,
                                                  ICoreWebView2Controller* createdController) {
  if (FAILED(errorCode) || createdController == nullptr) {
    RaiseInitializationError(
        errorCode, CreationErrorText(kControllerCompletionError, errorCode, ControllerErrorText(errorCode)));
    return S_OK;
  }

  FCoreWebView2Controller.reset();
  FCoreWebView2Controller = std::make_unique<TCoreWebView2Controller>(createdController);
  NotifyControllerCompleted();

  ComPtr<ICoreWebView2> webView = FCoreWebView2Controller->CoreWebView2();
  if (!webView) {
    RaiseInitializationError(E_FAIL, kNoWebViewError);
    return S_OK;
  }
  FCoreWebView2.reset();
  FCoreWebView2 =
      std::make_unique<TCoreWebView2>(webView.Get(), FPlatform.com(), SharedLoaderReRaisesExceptions());

  ComPtr<ICoreWebView2Settings> settings = FCoreWebView2->Settings();
  if (!settings) {
    RaiseInitializationError(E_FAIL, kNoSettingsError);
    return S_OK;
  }

  FCoreWebView2Profile.reset();
  ComPtr<ICoreWebView2Profile> profile = FCoreWebView2->Profile();
  FCoreWebView2Profile = std::make_unique<TCoreWebView2Profile>(profile.Get(), FPlatform.com());
  FCoreWebView2Profile->AddAllBrowserEvents(this);

  FCoreWebView2Settings.reset();
  FCoreWebView2Settings = std::make_unique<TCoreWebView2Settings>(settings.Get(), FPlatform.com());

  ComPtr<ICoreWebView2PrintSettings> printSettings;
  if (FCoreWebView2Environment && FCoreWebView2Environment->CreatePrintSettings(printSettings) &&
      printSettings) {
    FCoreWebView2PrintSettings.reset();
    FCoreWebView2PrintSettings =
        std::make_unique<TCoreWebView2PrintSettings>(printSettings.Get(), FPlatform.com());
  }

  // The environment came from the loader, which subscribes its events itself.
  FCoreWebView2->AddAllBrowserEvents(this);
  FCoreWebView2Controller->AddAllBrowserEvents(this);
  if (FCoreWebView2CompositionController) FCoreWebView2CompositionController->AddAllBrowserEvents(this);

  // A handler that throws must not cost the page its first navigation.
  try {
    NotifyAfterCreated();
  } catch (const std::exception& error) {
    HandleCallbackException(u"AfterCreated", Utf8ToUtf16(error.what()));
  } catch (...) {
    HandleCallbackException(u"AfterCreated", u"unknown exception");
  }

  if (!FDefaultURL.empty()) Navigate(FDefaultURL);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleCompositionControllerCompleted(
    HRESULT errorCode, ICoreWebView2CompositionController* createdController) {
  // Only a windowless browser asked for one; any other completion is a stray and only reported.
  if (!FUseCompositionController || FCoreWebView2CompositionController) {
    NotifyCompositionControllerCompleted();
    return S_OK;
  }
  if (FAILED(errorCode) || createdController == nullptr) {
    RaiseInitializationError(errorCode, CreationErrorText(kCompositionControllerCompletionError, errorCode,
                                                          CompositionControllerErrorText(errorCode)));
    return S_OK;
  }
  TakeCompositionController(createdController);
  return S_OK;
}

void TWVBrowserBase::TakeCompositionController(ICoreWebView2CompositionController* aCreatedController) {
  // The pointer came typed with our own declaration: the wrapper asks it for
  // the interface instead of trusting the type, and so does the controller below.
  IUnknown* created = aCreatedController;
  FCoreWebView2CompositionController = std::make_unique<TCoreWebView2CompositionController>(created);
  NotifyCompositionControllerCompleted();
  if (!FCoreWebView2CompositionController->Initialized()) {
    RaiseInitializationError(E_NOINTERFACE, kNoCompositionControllerError);
    return;
  }
  // The composition controller is a controller too; from here on creation goes as for a windowed browser.
  ComPtr<ICoreWebView2Controller> controller;
  QueryInterfaceLogged(created, IID_ICoreWebView2Controller, controller.PutVoid());
  HandleControllerCompleted(controller ? S_OK : E_NOINTERFACE, controller.Get());
}

HRESULT TWVBrowserBase::HandleEnvironmentCompleted(HRESULT errorCode,
                                                   ICoreWebView2Environment* createdEnvironment) {
  // The control never requests an environment of its own; one that arrives
  // anyway is taken like the loader's and the controller is requested.
  if (FAILED(errorCode) || createdEnvironment == nullptr) {
    RaiseInitializationError(
        errorCode, CreationErrorText(kEnvironmentAnswerError, errorCode, EnvironmentErrorText(errorCode)));
    return S_OK;
  }
  FCoreWebView2Environment.reset();
  FCoreWebView2Environment = std::make_unique<TCoreWebView2Environment>(FPlatform.com(), createdEnvironment);
  NotifyEnvironmentCompleted();
  if (FWindowParentHandle != 0) StartControllerCreation();
  return S_OK;
}

void TWVBrowserBase::HandleCallbackException(std::u16string_view callbackName,
                                             std::u16string_view description) {
  if (OnHandlerException) OnHandlerException(this, std::u16string(callbackName), std::u16string(description));
}

bool TWVBrowserBase::WebViewReady() const {
  return Initialized() && FCoreWebView2 && FCoreWebView2->Initialized();
}

bool TWVBrowserBase::ExecuteScript(std::u16string_view aJavaScript, std::int32_t aExecutionID) {
  if (!WebViewReady() || aJavaScript.empty()) return false;
  return FCoreWebView2->ExecuteScript(std::u16string(aJavaScript), this, aExecutionID);
}

bool TWVBrowserBase::Navigate(std::u16string_view aURI) {
  if (!Initialized()) return false;
  return FCoreWebView2->Navigate(std::u16string(aURI));
}

}  // namespace velmoran::webview
