#include "base/Text.h"
#include "codec/JsonString.h"
#include "webview/browser/JsonDataMember.h"
#include "webview/browser/RetrievedText.h"
#include "webview/browser/TCoreWebView2Controller.h"
#include "webview/browser/TWVBrowserBase.h"
#include "webview/browser/ZoomSteps.h"
#include "webview/loader/TWVLoader.h"

// The runtime callbacks on which the control does work of its own before it
// raises the event: navigation state, the child-window scan, the zoom step,
// routing of completions by execution id, and the runtime's types turned into
// the control's (texts copied, BOOL to bool).

namespace velmoran::webview {

namespace {

// DevTools method ids of the control's composite operations.
constexpr std::int32_t kRetrieveMHTMLID = 10000;
constexpr std::int32_t kClearCacheID = 10001;
constexpr std::int32_t kClearDataForOriginID = 10002;
constexpr std::int32_t kOfflineID = 10003;
constexpr std::int32_t kIgnoreCertificateErrorsID = 10004;
constexpr std::int32_t kSimulateKeyEventID = 10005;
constexpr std::int32_t kRefreshIgnoreCacheID = 10006;

}  // namespace

HRESULT TWVBrowserBase::HandleNavigationStarting(ICoreWebView2* sender,
                                                 ICoreWebView2NavigationStartingEventArgs* args) {
  FIsNavigating = true;
  UpdateCompWindows();
  NotifyNavigationStarting(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleNavigationCompleted(ICoreWebView2* sender,
                                                  ICoreWebView2NavigationCompletedEventArgs* args) {
  FIsNavigating = false;
  NotifyNavigationCompleted(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleZoomFactorChanged(ICoreWebView2Controller* sender, IUnknown* args) {
  FZoomStep = NearestZoomStep(ZoomFactor());
  NotifyZoomFactorChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleNewBrowserVersionAvailable(ICoreWebView2Environment* /*sender*/,
                                                         IUnknown* /*args*/) {
  // The loader announces new runtime versions for the whole process.
  return S_OK;
}

HRESULT TWVBrowserBase::HandleExecuteScriptCompleted(HRESULT errorCode, LPCWSTR resultObjectAsJson,
                                                     std::int32_t executionId) {
  // Copied unchanged: the text is the runtime's JSON, a missing one reads as empty.
  const std::u16string result(FromWideText(resultObjectAsJson));
  switch (executionId) {
    case kRetrieveHTMLExecutionID:
      if (SUCCEEDED(errorCode) && OnRetrieveHTMLCompleted) {
        const std::u16string html = DecodeRetrievedText(result);
        NotifyRetrieveHTMLCompleted(!html.empty(), html);
      }
      break;
    case kRetrieveTextExecutionID:
      if (SUCCEEDED(errorCode) && OnRetrieveTextCompleted) {
        const std::u16string text = DecodeRetrievedText(result);
        NotifyRetrieveTextCompleted(!text.empty(), text);
      }
      break;
    default:
      NotifyExecuteScriptCompleted(errorCode, result, executionId);
      break;
  }
  return S_OK;
}

HRESULT TWVBrowserBase::HandleCallDevToolsProtocolMethodCompleted(HRESULT errorCode,
                                                                  LPCWSTR returnObjectAsJson,
                                                                  std::int32_t executionId) {
  const std::u16string result(FromWideText(returnObjectAsJson));
  const bool succeeded = SUCCEEDED(errorCode);
  switch (executionId) {
    case kRetrieveMHTMLID: {
      const std::u16string mhtml = succeeded ? JsonDataMember(result) : std::u16string();
      NotifyRetrieveMHTMLCompleted(!mhtml.empty(), mhtml);
      break;
    }
    case kClearCacheID:
      NotifyClearCacheCompleted(succeeded);
      break;
    case kClearDataForOriginID:
      NotifyClearDataForOriginCompleted(succeeded);
      break;
    case kOfflineID:
      NotifyOfflineCompleted(succeeded);
      break;
    case kIgnoreCertificateErrorsID:
      NotifyIgnoreCertificateErrorsCompleted(succeeded);
      break;
    case kSimulateKeyEventID:
      NotifySimulateKeyEventCompleted(succeeded);
      break;
    case kRefreshIgnoreCacheID:
      NotifyRefreshIgnoreCacheCompleted(errorCode, result);
      break;
    default:
      NotifyCallDevToolsProtocolMethodCompleted(errorCode, result, executionId);
      break;
  }
  return S_OK;
}

HRESULT TWVBrowserBase::HandleAddScriptToExecuteOnDocumentCreatedCompleted(HRESULT errorCode, LPCWSTR id) {
  NotifyAddScriptToExecuteOnDocumentCreatedCompleted(errorCode, std::u16string(FromWideText(id)));
  return S_OK;
}

HRESULT TWVBrowserBase::HandlePrintToPdfCompleted(HRESULT errorCode, BOOL isSuccessful) {
  NotifyPrintToPdfCompleted(errorCode, isSuccessful != FALSE);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleTrySuspendCompleted(HRESULT errorCode, BOOL isSuccessful) {
  NotifyTrySuspendCompleted(errorCode, isSuccessful != FALSE);
  return S_OK;
}

bool TWVBrowserBase::RetrieveMHTML() {
  return CallDevToolsProtocolMethod(u"Page.captureSnapshot", u"{\"format\":\"mhtml\"}", kRetrieveMHTMLID);
}

bool TWVBrowserBase::ClearCache() {
  return CallDevToolsProtocolMethod(u"Network.clearBrowserCache", u"{}", kClearCacheID);
}

bool TWVBrowserBase::ClearDataForOrigin(std::u16string_view aOrigin, std::u16string_view aStorageTypes) {
  std::u16string parameters = u"{\"origin\":" + codec::JsonStringLiteral(aOrigin);
  parameters += u",\"storageTypes\":" + codec::JsonStringLiteral(aStorageTypes) + u"}";
  return CallDevToolsProtocolMethod(u"Storage.clearDataForOrigin", parameters, kClearDataForOriginID);
}

bool TWVBrowserBase::Offline(bool aOffline) {
  const std::u16string parameters = std::u16string(u"{\"offline\":") + (aOffline ? u"true" : u"false") +
                                    u",\"latency\":0,\"downloadThroughput\":-1,\"uploadThroughput\":-1}";
  return CallDevToolsProtocolMethod(u"Network.emulateNetworkConditions", parameters, kOfflineID);
}

bool TWVBrowserBase::IgnoreCertificateErrors(bool aIgnore) {
  const std::u16string parameters = std::u16string(u"{\"ignore\":") + (aIgnore ? u"true" : u"false") + u"}";
  return CallDevToolsProtocolMethod(u"Security.setIgnoreCertificateErrors", parameters,
                                    kIgnoreCertificateErrorsID);
}

bool TWVBrowserBase::RetrieveHTML() {
  return ExecuteScript(u"encodeURIComponent(document.documentElement.outerHTML);", kRetrieveHTMLExecutionID);
}

bool TWVBrowserBase::RetrieveText(bool aTextContent) {
  return ExecuteScript(aTextContent ? u"encodeURIComponent(document.body.textContent);"
                                    : u"encodeURIComponent(document.body.innerText);",
                       kRetrieveTextExecutionID);
}

bool TWVBrowserBase::SimulateKeyEvent(std::u16string_view aType, std::int32_t aModifiers,
                                      std::int32_t aWindowsVirtualKeyCode,
                                      std::int32_t aNativeVirtualKeyCode) {
  std::u16string parameters = u"{\"type\":" + codec::JsonStringLiteral(aType);
  parameters += u",\"modifiers\":" + DecimalText(aModifiers);
  parameters += u",\"windowsVirtualKeyCode\":" + DecimalText(aWindowsVirtualKeyCode);
  parameters += u",\"nativeVirtualKeyCode\":" + DecimalText(aNativeVirtualKeyCode) + u"}";
  return CallDevToolsProtocolMethod(u"Input.dispatchKeyEvent", parameters, kSimulateKeyEventID);
}

// The key event carries the command and nothing else: no key is typed, the
// page's editor runs the command as it would for the shortcut bound to it.
bool TWVBrowserBase::SimulateEditingCommand(TWV2EditingCommand aCommand) {
  if (!Initialized()) return false;
  const std::u16string_view name = EditingCommandName(aCommand);
  if (name.empty()) {
    if (TWVLoader* loader = SharedWebViewLoader())
      loader->AppendErrorLog(u"SimulateEditingCommand: " + DecimalText(static_cast<std::int32_t>(aCommand)) +
                             u" is no editing command.");
    return false;
  }
  const std::u16string parameters =
      u"{\"type\":\"keyDown\",\"commands\":[" + codec::JsonStringLiteral(name) + u"]}";
  return CallDevToolsProtocolMethod(u"Input.dispatchKeyEvent", parameters, kSimulateKeyEventID);
}

bool TWVBrowserBase::KeyboardShortcutSearch() {
  constexpr std::int32_t kControlModifier = 2;
  constexpr std::int32_t kVirtualKeyF = 0x46;
  return SimulateKeyEvent(u"rawKeyDown", kControlModifier, kVirtualKeyF, kVirtualKeyF) &&
         SimulateKeyEvent(u"keyUp", kControlModifier, kVirtualKeyF, kVirtualKeyF);
}

bool TWVBrowserBase::KeyboardShortcutRefreshIgnoreCache() {
  return CallDevToolsProtocolMethod(u"Page.reload", u"{\"ignoreCache\":true}", kRefreshIgnoreCacheID);
}

}  // namespace velmoran::webview
