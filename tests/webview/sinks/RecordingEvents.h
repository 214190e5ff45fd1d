#pragma once

// Test faces that record every callback a sink delivers: its name and its
// arguments as integers, answer a chosen HRESULT, and can be told to throw, so
// a test sees exactly what crossed a sink.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "webview/sinks/IWVBrowserEvents.h"
#include "webview/sinks/IWVLoaderEvents.h"

namespace velmoran::test {
using webview::IWVBrowserEvents;
using webview::IWVLoaderEvents;

struct RecordedCallback {
  std::u16string name;
  std::vector<std::uintptr_t> arguments;
};

// What each recording face shares: the log, the answer, the throwing switch.
class CallbackRecorder {
 public:
  std::vector<RecordedCallback> calls;
  HRESULT answer = S_OK;
  // When set, a callback of this name throws after it is recorded.
  std::u16string throwOn;
  bool throwNonStandard = false;

  struct ReportedException {
    std::u16string callbackName;
    std::u16string description;
  };
  std::vector<ReportedException> reported;

 protected:
  template <typename... Arguments>
  HRESULT Record(std::u16string_view name, Arguments... arguments) {
    calls.push_back({std::u16string(name), {AsInteger(arguments)...}});
    if (name == throwOn) {
      if (throwNonStandard) throw 42;
      throw std::runtime_error("handler failed");
    }
    return answer;
  }

 private:
  template <typename T>
  static std::uintptr_t AsInteger(T value) {
    if constexpr (std::is_pointer_v<T>) {
      return reinterpret_cast<std::uintptr_t>(value);
    } else {
      return static_cast<std::uintptr_t>(value);
    }
  }
};

class RecordingBrowserEvents final : public IWVBrowserEvents, public CallbackRecorder {
 public:
  ~RecordingBrowserEvents() override { DetachSinks(); }

  void HandleCallbackException(std::u16string_view callbackName, std::u16string_view description) override {
    reported.push_back({std::u16string(callbackName), std::u16string(description)});
  }

  HRESULT HandleEnvironmentCompleted(HRESULT errorCode,
                                     ICoreWebView2Environment* createdEnvironment) override {
    return Record(u"EnvironmentCompleted", errorCode, createdEnvironment);
  }
  HRESULT HandleControllerCompleted(HRESULT errorCode, ICoreWebView2Controller* createdController) override {
    return Record(u"ControllerCompleted", errorCode, createdController);
  }
  HRESULT HandleCompositionControllerCompleted(
      HRESULT errorCode, ICoreWebView2CompositionController* createdController) override {
    return Record(u"CompositionControllerCompleted", errorCode, createdController);
  }
  HRESULT HandleNewBrowserVersionAvailable(ICoreWebView2Environment* sender, IUnknown* args) override {
    return Record(u"NewBrowserVersionAvailable", sender, args);
  }
  HRESULT HandleBrowserProcessExited(ICoreWebView2Environment* sender,
                                     ICoreWebView2BrowserProcessExitedEventArgs* args) override {
    return Record(u"BrowserProcessExited", sender, args);
  }
  HRESULT HandleProcessInfosChanged(ICoreWebView2Environment* sender, IUnknown* args) override {
    return Record(u"ProcessInfosChanged", sender, args);
  }
  HRESULT HandleNavigationStarting(ICoreWebView2* sender,
                                   ICoreWebView2NavigationStartingEventArgs* args) override {
    return Record(u"NavigationStarting", sender, args);
  }
  HRESULT HandleNavigationCompleted(ICoreWebView2* sender,
                                    ICoreWebView2NavigationCompletedEventArgs* args) override {
    return Record(u"NavigationCompleted", sender, args);
  }
  HRESULT HandleSourceChanged(ICoreWebView2* sender, ICoreWebView2SourceChangedEventArgs* args) override {
    return Record(u"SourceChanged", sender, args);
  }
  HRESULT HandleHistoryChanged(ICoreWebView2* sender, IUnknown* args) override {
    return Record(u"HistoryChanged", sender, args);
  }
  HRESULT HandleContentLoading(ICoreWebView2* sender, ICoreWebView2ContentLoadingEventArgs* args) override {
    return Record(u"ContentLoading", sender, args);
  }
  HRESULT HandleDocumentTitleChanged(ICoreWebView2* sender, IUnknown* args) override {
    return Record(u"DocumentTitleChanged", sender, args);
  }
  HRESULT HandleNewWindowRequested(ICoreWebView2* sender,
                                   ICoreWebView2NewWindowRequestedEventArgs* args) override {
    return Record(u"NewWindowRequested", sender, args);
  }
  HRESULT HandleFrameNavigationStarting(ICoreWebView2* sender,
                                        ICoreWebView2NavigationStartingEventArgs* args) override {
    return Record(u"FrameNavigationStarting", sender, args);
  }
  HRESULT HandleFrameNavigationCompleted(ICoreWebView2* sender,
                                         ICoreWebView2NavigationCompletedEventArgs* args) override {
    return Record(u"FrameNavigationCompleted", sender, args);
  }
  HRESULT HandleWebResourceRequested(ICoreWebView2* sender,
                                     ICoreWebView2WebResourceRequestedEventArgs* args) override {
    return Record(u"WebResourceRequested", sender, args);
  }
  HRESULT HandleScriptDialogOpening(ICoreWebView2* sender,
                                    ICoreWebView2ScriptDialogOpeningEventArgs* args) override {
    return Record(u"ScriptDialogOpening", sender, args);
  }
  HRESULT HandlePermissionRequested(ICoreWebView2* sender,
                                    ICoreWebView2PermissionRequestedEventArgs* args) override {
    return Record(u"PermissionRequested", sender, args);
  }
  HRESULT HandleProcessFailed(ICoreWebView2* sender, ICoreWebView2ProcessFailedEventArgs* args) override {
    return Record(u"ProcessFailed", sender, args);
  }
  HRESULT HandleWebMessageReceived(ICoreWebView2* sender,
                                   ICoreWebView2WebMessageReceivedEventArgs* args) override {
    return Record(u"WebMessageReceived", sender, args);
  }
  HRESULT HandleContainsFullScreenElementChanged(ICoreWebView2* sender, IUnknown* args) override {
    return Record(u"ContainsFullScreenElementChanged", sender, args);
  }
  HRESULT HandleWindowCloseRequested(ICoreWebView2* sender, IUnknown* args) override {
    return Record(u"WindowCloseRequested", sender, args);
  }
  // The event's name is kept beside the log, whose arguments are integers.
  std::vector<std::u16string> devToolsEventNames;
  HRESULT HandleDevToolsProtocolEventReceived(ICoreWebView2* sender,
                                              ICoreWebView2DevToolsProtocolEventReceivedEventArgs* args,
                                              const std::u16string& eventName,
                                              std::int32_t eventID) override {
    devToolsEventNames.push_back(eventName);
    return Record(u"DevToolsProtocolEventReceived", sender, args, eventID);
  }
  HRESULT HandleWebResourceResponseReceived(
      ICoreWebView2* sender, ICoreWebView2WebResourceResponseReceivedEventArgs* args) override {
    return Record(u"WebResourceResponseReceived", sender, args);
  }
  HRESULT HandleDOMContentLoaded(ICoreWebView2* sender,
                                 ICoreWebView2DOMContentLoadedEventArgs* args) override {
    return Record(u"DOMContentLoaded", sender, args);
  }
  HRESULT HandleFrameCreated(ICoreWebView2* sender, ICoreWebView2FrameCreatedEventArgs* args) override {
    return Record(u"FrameCreated", sender, args);
  }
  HRESULT HandleDownloadStarting(ICoreWebView2* sender,
                                 ICoreWebView2DownloadStartingEventArgs* args) override {
    return Record(u"DownloadStarting", sender, args);
  }
  HRESULT HandleClientCertificateRequested(ICoreWebView2* sender,
                                           ICoreWebView2ClientCertificateRequestedEventArgs* args) override {
    return Record(u"ClientCertificateRequested", sender, args);
  }
  HRESULT HandleIsMutedChanged(ICoreWebView2* sender, IUnknown* args) override {
    return Record(u"IsMutedChanged", sender, args);
  }
  HRESULT HandleIsDocumentPlayingAudioChanged(ICoreWebView2* sender, IUnknown* args) override {
    return Record(u"IsDocumentPlayingAudioChanged", sender, args);
  }
  HRESULT HandleIsDefaultDownloadDialogOpenChanged(ICoreWebView2* sender, IUnknown* args) override {
    return Record(u"IsDefaultDownloadDialogOpenChanged", sender, args);
  }
  HRESULT HandleBasicAuthenticationRequested(
      ICoreWebView2* sender, ICoreWebView2BasicAuthenticationRequestedEventArgs* args) override {
    return Record(u"BasicAuthenticationRequested", sender, args);
  }
  HRESULT HandleContextMenuRequested(ICoreWebView2* sender,
                                     ICoreWebView2ContextMenuRequestedEventArgs* args) override {
    return Record(u"ContextMenuRequested", sender, args);
  }
  HRESULT HandleStatusBarTextChanged(ICoreWebView2* sender, IUnknown* args) override {
    return Record(u"StatusBarTextChanged", sender, args);
  }
  HRESULT HandleServerCertificateErrorDetected(
      ICoreWebView2* sender, ICoreWebView2ServerCertificateErrorDetectedEventArgs* args) override {
    return Record(u"ServerCertificateErrorDetected", sender, args);
  }
  HRESULT HandleFaviconChanged(ICoreWebView2* sender, IUnknown* args) override {
    return Record(u"FaviconChanged", sender, args);
  }
  HRESULT HandleLaunchingExternalUriScheme(ICoreWebView2* sender,
                                           ICoreWebView2LaunchingExternalUriSchemeEventArgs* args) override {
    return Record(u"LaunchingExternalUriScheme", sender, args);
  }
  HRESULT HandleNotificationReceived(ICoreWebView2* sender,
                                     ICoreWebView2NotificationReceivedEventArgs* args) override {
    return Record(u"NotificationReceived", sender, args);
  }
  HRESULT HandleSaveAsUIShowing(ICoreWebView2* sender, ICoreWebView2SaveAsUIShowingEventArgs* args) override {
    return Record(u"SaveAsUIShowing", sender, args);
  }
  HRESULT HandleSaveFileSecurityCheckStarting(
      ICoreWebView2* sender, ICoreWebView2SaveFileSecurityCheckStartingEventArgs* args) override {
    return Record(u"SaveFileSecurityCheckStarting", sender, args);
  }
  HRESULT HandleScreenCaptureStarting(ICoreWebView2* sender,
                                      ICoreWebView2ScreenCaptureStartingEventArgs* args) override {
    return Record(u"ScreenCaptureStarting", sender, args);
  }
  HRESULT HandleAcceleratorKeyPressed(ICoreWebView2Controller* sender,
                                      ICoreWebView2AcceleratorKeyPressedEventArgs* args) override {
    return Record(u"AcceleratorKeyPressed", sender, args);
  }
  HRESULT HandleGotFocus(ICoreWebView2Controller* sender, IUnknown* args) override {
    return Record(u"GotFocus", sender, args);
  }
  HRESULT HandleLostFocus(ICoreWebView2Controller* sender, IUnknown* args) override {
    return Record(u"LostFocus", sender, args);
  }
  HRESULT HandleMoveFocusRequested(ICoreWebView2Controller* sender,
                                   ICoreWebView2MoveFocusRequestedEventArgs* args) override {
    return Record(u"MoveFocusRequested", sender, args);
  }
  HRESULT HandleZoomFactorChanged(ICoreWebView2Controller* sender, IUnknown* args) override {
    return Record(u"ZoomFactorChanged", sender, args);
  }
  HRESULT HandleRasterizationScaleChanged(ICoreWebView2Controller* sender, IUnknown* args) override {
    return Record(u"RasterizationScaleChanged", sender, args);
  }
  HRESULT HandleProfileDeleted(ICoreWebView2Profile* sender, IUnknown* args) override {
    return Record(u"ProfileDeleted", sender, args);
  }
  HRESULT HandleFrameNameChanged(ICoreWebView2Frame* sender, IUnknown* args,
                                 std::uint32_t frameKey) override {
    return Record(u"FrameNameChanged", sender, args, frameKey);
  }
  HRESULT HandleFrameDestroyed(ICoreWebView2Frame* sender, IUnknown* args, std::uint32_t frameKey) override {
    return Record(u"FrameDestroyed", sender, args, frameKey);
  }
  HRESULT HandleFrameNavigationStarting2(ICoreWebView2Frame* sender,
                                         ICoreWebView2NavigationStartingEventArgs* args,
                                         std::uint32_t frameKey) override {
    return Record(u"FrameNavigationStarting2", sender, args, frameKey);
  }
  HRESULT HandleFrameContentLoading(ICoreWebView2Frame* sender, ICoreWebView2ContentLoadingEventArgs* args,
                                    std::uint32_t frameKey) override {
    return Record(u"FrameContentLoading", sender, args, frameKey);
  }
  HRESULT HandleFrameNavigationCompleted2(ICoreWebView2Frame* sender,
                                          ICoreWebView2NavigationCompletedEventArgs* args,
                                          std::uint32_t frameKey) override {
    return Record(u"FrameNavigationCompleted2", sender, args, frameKey);
  }
  HRESULT HandleFrameDOMContentLoaded(ICoreWebView2Frame* sender,
                                      ICoreWebView2DOMContentLoadedEventArgs* args,
                                      std::uint32_t frameKey) override {
    return Record(u"FrameDOMContentLoaded", sender, args, frameKey);
  }
  HRESULT HandleFrameWebMessageReceived(ICoreWebView2Frame* sender,
                                        ICoreWebView2WebMessageReceivedEventArgs* args,
                                        std::uint32_t frameKey) override {
    return Record(u"FrameWebMessageReceived", sender, args, frameKey);
  }
  HRESULT HandleFramePermissionRequested(ICoreWebView2Frame* sender,
                                         ICoreWebView2PermissionRequestedEventArgs2* args,
                                         std::uint32_t frameKey) override {
    return Record(u"FramePermissionRequested", sender, args, frameKey);
  }
  HRESULT HandleFrameScreenCaptureStarting(ICoreWebView2Frame* sender,
                                           ICoreWebView2ScreenCaptureStartingEventArgs* args,
                                           std::uint32_t frameKey) override {
    return Record(u"FrameScreenCaptureStarting", sender, args, frameKey);
  }
  HRESULT HandleBytesReceivedChanged(ICoreWebView2DownloadOperation* sender, IUnknown* args,
                                     std::int32_t downloadID) override {
    return Record(u"BytesReceivedChanged", sender, args, downloadID);
  }
  HRESULT HandleEstimatedEndTimeChanged(ICoreWebView2DownloadOperation* sender, IUnknown* args,
                                        std::int32_t downloadID) override {
    return Record(u"EstimatedEndTimeChanged", sender, args, downloadID);
  }
  HRESULT HandleDownloadStateChanged(ICoreWebView2DownloadOperation* sender, IUnknown* args,
                                     std::int32_t downloadID) override {
    return Record(u"DownloadStateChanged", sender, args, downloadID);
  }
  HRESULT HandleCursorChanged(ICoreWebView2CompositionController* sender, IUnknown* args) override {
    return Record(u"CursorChanged", sender, args);
  }
  HRESULT HandleNonClientRegionChanged(ICoreWebView2CompositionController* sender,
                                       ICoreWebView2NonClientRegionChangedEventArgs* args) override {
    return Record(u"NonClientRegionChanged", sender, args);
  }
  HRESULT HandleCustomItemSelected(ICoreWebView2ContextMenuItem* sender, IUnknown* args) override {
    return Record(u"CustomItemSelected", sender, args);
  }
  HRESULT HandleNotificationCloseRequested(ICoreWebView2Notification* sender, IUnknown* args) override {
    return Record(u"NotificationCloseRequested", sender, args);
  }
  HRESULT HandleExecuteScriptCompleted(HRESULT errorCode, LPCWSTR resultObjectAsJson,
                                       std::int32_t executionId) override {
    return Record(u"ExecuteScriptCompleted", errorCode, resultObjectAsJson, executionId);
  }
  HRESULT HandleExecuteScriptWithResultCompleted(HRESULT errorCode, ICoreWebView2ExecuteScriptResult* result,
                                                 std::int32_t executionId) override {
    return Record(u"ExecuteScriptWithResultCompleted", errorCode, result, executionId);
  }
  HRESULT HandleCallDevToolsProtocolMethodCompleted(HRESULT errorCode, LPCWSTR returnObjectAsJson,
                                                    std::int32_t executionId) override {
    return Record(u"CallDevToolsProtocolMethodCompleted", errorCode, returnObjectAsJson, executionId);
  }
  HRESULT HandleAddScriptToExecuteOnDocumentCreatedCompleted(HRESULT errorCode, LPCWSTR id) override {
    return Record(u"AddScriptToExecuteOnDocumentCreatedCompleted", errorCode, id);
  }
  HRESULT HandleCapturePreviewCompleted(HRESULT errorCode) override {
    return Record(u"CapturePreviewCompleted", errorCode);
  }
  HRESULT HandleClearBrowsingDataCompleted(HRESULT errorCode) override {
    return Record(u"ClearBrowsingDataCompleted", errorCode);
  }
  HRESULT HandleClearServerCertificateErrorActionsCompleted(HRESULT errorCode) override {
    return Record(u"ClearServerCertificateErrorActionsCompleted", errorCode);
  }
  HRESULT HandleGetFaviconCompleted(HRESULT errorCode, IStream* faviconStream) override {
    return Record(u"GetFaviconCompleted", errorCode, faviconStream);
  }
  HRESULT HandleGetNonDefaultPermissionSettingsCompleted(
      HRESULT errorCode, ICoreWebView2PermissionSettingCollectionView* collectionView) override {
    return Record(u"GetNonDefaultPermissionSettingsCompleted", errorCode, collectionView);
  }
  HRESULT HandleGetProcessExtendedInfosCompleted(HRESULT errorCode,
                                                 ICoreWebView2ProcessExtendedInfoCollection* value) override {
    return Record(u"GetProcessExtendedInfosCompleted", errorCode, value);
  }
  HRESULT HandlePrintCompleted(HRESULT errorCode, COREWEBVIEW2_PRINT_STATUS printStatus) override {
    return Record(u"PrintCompleted", errorCode, printStatus);
  }
  HRESULT HandlePrintToPdfCompleted(HRESULT errorCode, BOOL isSuccessful) override {
    return Record(u"PrintToPdfCompleted", errorCode, isSuccessful);
  }
  HRESULT HandlePrintToPdfStreamCompleted(HRESULT errorCode, IStream* pdfStream) override {
    return Record(u"PrintToPdfStreamCompleted", errorCode, pdfStream);
  }
  HRESULT HandleProfileAddBrowserExtensionCompleted(HRESULT errorCode,
                                                    ICoreWebView2BrowserExtension* extension) override {
    return Record(u"ProfileAddBrowserExtensionCompleted", errorCode, extension);
  }
  HRESULT HandleProfileGetBrowserExtensionsCompleted(
      HRESULT errorCode, ICoreWebView2BrowserExtensionList* extensionList) override {
    return Record(u"ProfileGetBrowserExtensionsCompleted", errorCode, extensionList);
  }
  HRESULT HandleSetPermissionStateCompleted(HRESULT errorCode) override {
    return Record(u"SetPermissionStateCompleted", errorCode);
  }
  HRESULT HandleShowSaveAsUICompleted(HRESULT errorCode, COREWEBVIEW2_SAVE_AS_UI_RESULT result) override {
    return Record(u"ShowSaveAsUICompleted", errorCode, result);
  }
  HRESULT HandleTrySuspendCompleted(HRESULT errorCode, BOOL isSuccessful) override {
    return Record(u"TrySuspendCompleted", errorCode, isSuccessful);
  }
  HRESULT HandleGetCookiesCompleted(HRESULT errorCode, ICoreWebView2CookieList* cookieList) override {
    return Record(u"GetCookiesCompleted", errorCode, cookieList);
  }
};

class RecordingLoaderEvents final : public IWVLoaderEvents, public CallbackRecorder {
 public:
  ~RecordingLoaderEvents() override { DetachSinks(); }

  HRESULT HandleEnvironmentCompleted(HRESULT errorCode,
                                     ICoreWebView2Environment* createdEnvironment) override {
    return Record(u"EnvironmentCompleted", errorCode, createdEnvironment);
  }
  HRESULT HandleNewBrowserVersionAvailable(ICoreWebView2Environment* sender, IUnknown* args) override {
    return Record(u"NewBrowserVersionAvailable", sender, args);
  }
  HRESULT HandleBrowserProcessExited(ICoreWebView2Environment* sender,
                                     ICoreWebView2BrowserProcessExitedEventArgs* args) override {
    return Record(u"BrowserProcessExited", sender, args);
  }
  HRESULT HandleProcessInfosChanged(ICoreWebView2Environment* sender, IUnknown* args) override {
    return Record(u"ProcessInfosChanged", sender, args);
  }
};

}  // namespace velmoran::test
