#pragma once

// The handler types of the browser control's events. Every handler takes the
// control itself first (Sender), then what the runtime reported, unchanged:
// for a runtime event the object that raised it and its argument interface,
// for a completion the result code and what came with it. A handler reads
// what it needs from the interfaces during the call and keeps nothing.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "webview/abi/WebView2Abi.h"
#include "webview/browser/TWVWinControl.h"
#include "webview/loader/TWVCustomSchemeInfo.h"

namespace velmoran::webview {

class TWVBrowserBase;

using TNotifyEvent = std::function<void(TWVBrowserBase* Sender)>;

// Runtime events: (Sender, the object that raised it, its arguments).
template <typename Source, typename Args>
using TWVRuntimeEvent = std::function<void(TWVBrowserBase* Sender, Source* aSource, Args* aArgs)>;
// Events of one frame: (Sender, the frame, its arguments, the frame's id).
template <typename Args>
using TWVFrameEvent =
    std::function<void(TWVBrowserBase* Sender, IUnknown* aFrame, Args* aArgs, std::uint32_t aFrameID)>;
// Completions that only report success or failure.
using TOnResultCodeCompletedEvent = std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode)>;
// Completions of the control's own composite operations.
using TOnBooleanResultEvent = std::function<void(TWVBrowserBase* Sender, bool aResult)>;
using TOnRetrieveTextCompletedEvent =
    std::function<void(TWVBrowserBase* Sender, bool aResult, const std::u16string& aText)>;

using TOnInitializationErrorEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode, const std::u16string& aErrorMessage)>;
using TOnExecuteScriptCompletedEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode, const std::u16string& aResultObjectAsJson,
                       std::int32_t aExecutionID)>;
using TOnCallDevToolsProtocolMethodCompletedEvent = TOnExecuteScriptCompletedEvent;
using TOnAddScriptToExecuteOnDocumentCreatedCompletedEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode, const std::u16string& aID)>;
using TOnRefreshIgnoreCacheCompletedEvent = std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode,
                                                               const std::u16string& aResultObjectAsJson)>;
using TOnBooleanCompletedEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode, bool aResult)>;
using TOnStreamCompletedEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode, IStream* aStream)>;
using TOnPrintCompletedEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode, COREWEBVIEW2_PRINT_STATUS aPrintStatus)>;
using TOnShowSaveAsUICompletedEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode, COREWEBVIEW2_SAVE_AS_UI_RESULT aResult)>;
template <typename Result>
using TWVObjectCompletedEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode, Result* aResult)>;
using TOnGetCookiesCompletedEvent = TWVObjectCompletedEvent<ICoreWebView2CookieList>;
using TOnExecuteScriptWithResultCompletedEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT errorCode, ICoreWebView2ExecuteScriptResult* aResult,
                       std::int32_t aExecutionID)>;
using TOnWebResourceResponseViewGetContentCompletedEvent = std::function<void(
    TWVBrowserBase* Sender, HRESULT aErrorCode, IStream* aContents, std::int32_t aResourceID)>;
using TOnBrowserExtensionCompletedEvent =
    std::function<void(TWVBrowserBase* Sender, HRESULT aErrorCode, const std::u16string& aExtensionID)>;
// A download's progress: (Sender, the download operation, its id).
using TOnDownloadEvent =
    std::function<void(TWVBrowserBase* Sender, IUnknown* aDownloadOperation, std::int32_t aDownloadID)>;
using TOnFrameEvent = std::function<void(TWVBrowserBase* Sender, IUnknown* aFrame, std::uint32_t aFrameID)>;
using TOnGetCustomSchemesEvent =
    std::function<void(TWVBrowserBase* Sender, std::vector<TWVCustomSchemeInfo>& aCustomSchemes)>;
// A message sent to one of the runtime's own windows inside the host, while
// that window is hooked; setting aHandled keeps it from the window's procedure.
using TOnCompMsgEvent = std::function<void(TWVBrowserBase* Sender, TWVMessage& aMessage, bool& aHandled)>;

using TOnNavigationStartingEvent = TWVRuntimeEvent<ICoreWebView2, ICoreWebView2NavigationStartingEventArgs>;
using TOnNavigationCompletedEvent = TWVRuntimeEvent<ICoreWebView2, ICoreWebView2NavigationCompletedEventArgs>;
using TOnWebMessageReceivedEvent = TWVRuntimeEvent<ICoreWebView2, ICoreWebView2WebMessageReceivedEventArgs>;
using TOnWebViewNotifyEvent = TWVRuntimeEvent<ICoreWebView2, IUnknown>;
using TOnControllerNotifyEvent = TWVRuntimeEvent<ICoreWebView2Controller, IUnknown>;
using TOnCompositionControllerNotifyEvent = TWVRuntimeEvent<ICoreWebView2CompositionController, IUnknown>;
using TOnEnvironmentNotifyEvent = TWVRuntimeEvent<ICoreWebView2Environment, IUnknown>;

// The text handed to OnHandlerException: which callback's handler threw, and what.
using TOnHandlerExceptionEvent = std::function<void(
    TWVBrowserBase* Sender, const std::u16string& aCallbackName, const std::u16string& aDescription)>;

}  // namespace velmoran::webview
