#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>

#include "tests/webview/sinks/RecordingEvents.h"
#include "webview/sinks/CoreWebView2FrameSinks.h"
#include "webview/sinks/CoreWebView2Sinks.h"

// Every member of the sink family, one by one: each must reach the face method
// of the callback it is named for, and answer E_FAIL without a target.

namespace velmoran::test {
namespace {

using webview::ComPtr;
using webview::IWVBrowserEvents;
using webview::MakeComObject;
using webview::TCoreWebView2AcceleratorKeyPressedEventHandler;
using webview::TCoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler;
using webview::TCoreWebView2BasicAuthenticationRequestedEventHandler;
using webview::TCoreWebView2BrowserProcessExitedEventHandler;
using webview::TCoreWebView2BytesReceivedChangedEventHandler;
using webview::TCoreWebView2CallDevToolsProtocolMethodCompletedHandler;
using webview::TCoreWebView2CapturePreviewCompletedHandler;
using webview::TCoreWebView2ClearBrowsingDataCompletedHandler;
using webview::TCoreWebView2ClearServerCertificateErrorActionsCompletedHandler;
using webview::TCoreWebView2ClientCertificateRequestedEventHandler;
using webview::TCoreWebView2ContainsFullScreenElementChangedEventHandler;
using webview::TCoreWebView2ContentLoadingEventHandler;
using webview::TCoreWebView2ContextMenuRequestedEventHandler;
using webview::TCoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler;
using webview::TCoreWebView2CreateCoreWebView2ControllerCompletedHandler;
using webview::TCoreWebView2CursorChangedEventHandler;
using webview::TCoreWebView2CustomItemSelectedEventHandler;
using webview::TCoreWebView2DocumentTitleChangedEventHandler;
using webview::TCoreWebView2DOMContentLoadedEventHandler;
using webview::TCoreWebView2DownloadStartingEventHandler;
using webview::TCoreWebView2EstimatedEndTimeChangedEventHandler;
using webview::TCoreWebView2ExecuteScriptCompletedHandler;
using webview::TCoreWebView2ExecuteScriptWithResultCompletedHandler;
using webview::TCoreWebView2FaviconChangedEventHandler;
using webview::TCoreWebView2FrameContentLoadingEventHandler;
using webview::TCoreWebView2FrameCreatedEventHandler;
using webview::TCoreWebView2FrameDestroyedEventHandler;
using webview::TCoreWebView2FrameDOMContentLoadedEventHandler;
using webview::TCoreWebView2FrameNameChangedEventHandler;
using webview::TCoreWebView2FrameNavigationCompleted2EventHandler;
using webview::TCoreWebView2FrameNavigationCompletedEventHandler;
using webview::TCoreWebView2FrameNavigationStarting2EventHandler;
using webview::TCoreWebView2FrameNavigationStartingEventHandler;
using webview::TCoreWebView2FramePermissionRequestedEventHandler;
using webview::TCoreWebView2FrameScreenCaptureStartingEventHandler;
using webview::TCoreWebView2FrameWebMessageReceivedEventHandler;
using webview::TCoreWebView2GetCookiesCompletedHandler;
using webview::TCoreWebView2GetFaviconCompletedHandler;
using webview::TCoreWebView2GetNonDefaultPermissionSettingsCompletedHandler;
using webview::TCoreWebView2GetProcessExtendedInfosCompletedHandler;
using webview::TCoreWebView2GotFocusEventHandler;
using webview::TCoreWebView2HistoryChangedEventHandler;
using webview::TCoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler;
using webview::TCoreWebView2IsDocumentPlayingAudioChangedEventHandler;
using webview::TCoreWebView2IsMutedChangedEventHandler;
using webview::TCoreWebView2LaunchingExternalUriSchemeEventHandler;
using webview::TCoreWebView2LostFocusEventHandler;
using webview::TCoreWebView2MoveFocusRequestedEventHandler;
using webview::TCoreWebView2NavigationCompletedEventHandler;
using webview::TCoreWebView2NavigationStartingEventHandler;
using webview::TCoreWebView2NewBrowserVersionAvailableEventHandler;
using webview::TCoreWebView2NewWindowRequestedEventHandler;
using webview::TCoreWebView2NonClientRegionChangedEventHandler;
using webview::TCoreWebView2NotificationCloseRequestedEventHandler;
using webview::TCoreWebView2NotificationReceivedEventHandler;
using webview::TCoreWebView2PermissionRequestedEventHandler;
using webview::TCoreWebView2PrintCompletedHandler;
using webview::TCoreWebView2PrintToPdfCompletedHandler;
using webview::TCoreWebView2PrintToPdfStreamCompletedHandler;
using webview::TCoreWebView2ProcessFailedEventHandler;
using webview::TCoreWebView2ProcessInfosChangedEventHandler;
using webview::TCoreWebView2ProfileAddBrowserExtensionCompletedHandler;
using webview::TCoreWebView2ProfileDeletedEventHandler;
using webview::TCoreWebView2ProfileGetBrowserExtensionsCompletedHandler;
using webview::TCoreWebView2RasterizationScaleChangedEventHandler;
using webview::TCoreWebView2SaveAsUIShowingEventHandler;
using webview::TCoreWebView2SaveFileSecurityCheckStartingEventHandler;
using webview::TCoreWebView2ScreenCaptureStartingEventHandler;
using webview::TCoreWebView2ScriptDialogOpeningEventHandler;
using webview::TCoreWebView2ServerCertificateErrorDetectedEventHandler;
using webview::TCoreWebView2SetPermissionStateCompletedHandler;
using webview::TCoreWebView2ShowSaveAsUICompletedHandler;
using webview::TCoreWebView2SourceChangedEventHandler;
using webview::TCoreWebView2StateChangedEventHandler;
using webview::TCoreWebView2StatusBarTextChangedEventHandler;
using webview::TCoreWebView2TrySuspendCompletedHandler;
using webview::TCoreWebView2WebMessageReceivedEventHandler;
using webview::TCoreWebView2WebResourceRequestedEventHandler;
using webview::TCoreWebView2WebResourceResponseReceivedEventHandler;
using webview::TCoreWebView2WindowCloseRequestedEventHandler;
using webview::TCoreWebView2ZoomFactorChangedEventHandler;

template <typename Sink>
ComPtr<Sink> MakeSink(IWVBrowserEvents* events) {
  if constexpr (std::is_constructible_v<Sink, IWVBrowserEvents*, std::int32_t>) {
    return MakeComObject<Sink>(events, 5);
  } else {
    return MakeComObject<Sink>(events);
  }
}

// Calls Invoke with zero for every argument, whatever the interface's shape.
template <typename Sink, typename... Arguments>
HRESULT InvokeWithZeros(Sink& sink, HRESULT (Sink::*)(Arguments...)) {
  return sink.Invoke(Arguments{}...);
}

template <typename Sink>
class SinkFamilyTest : public testing::Test {};

using EverySink = testing::Types<
    TCoreWebView2NavigationStartingEventHandler, TCoreWebView2NavigationCompletedEventHandler,
    TCoreWebView2SourceChangedEventHandler, TCoreWebView2HistoryChangedEventHandler,
    TCoreWebView2ContentLoadingEventHandler, TCoreWebView2DocumentTitleChangedEventHandler,
    TCoreWebView2NewWindowRequestedEventHandler, TCoreWebView2FrameNavigationStartingEventHandler,
    TCoreWebView2FrameNavigationCompletedEventHandler, TCoreWebView2WebResourceRequestedEventHandler,
    TCoreWebView2ScriptDialogOpeningEventHandler, TCoreWebView2PermissionRequestedEventHandler,
    TCoreWebView2ProcessFailedEventHandler, TCoreWebView2WebMessageReceivedEventHandler,
    TCoreWebView2ContainsFullScreenElementChangedEventHandler, TCoreWebView2WindowCloseRequestedEventHandler,
    TCoreWebView2WebResourceResponseReceivedEventHandler, TCoreWebView2DOMContentLoadedEventHandler,
    TCoreWebView2FrameCreatedEventHandler, TCoreWebView2DownloadStartingEventHandler,
    TCoreWebView2ClientCertificateRequestedEventHandler, TCoreWebView2IsMutedChangedEventHandler,
    TCoreWebView2IsDocumentPlayingAudioChangedEventHandler,
    TCoreWebView2IsDefaultDownloadDialogOpenChangedEventHandler,
    TCoreWebView2BasicAuthenticationRequestedEventHandler, TCoreWebView2ContextMenuRequestedEventHandler,
    TCoreWebView2StatusBarTextChangedEventHandler, TCoreWebView2ServerCertificateErrorDetectedEventHandler,
    TCoreWebView2FaviconChangedEventHandler, TCoreWebView2LaunchingExternalUriSchemeEventHandler,
    TCoreWebView2NotificationReceivedEventHandler, TCoreWebView2SaveAsUIShowingEventHandler,
    TCoreWebView2SaveFileSecurityCheckStartingEventHandler, TCoreWebView2ScreenCaptureStartingEventHandler,
    TCoreWebView2AcceleratorKeyPressedEventHandler, TCoreWebView2GotFocusEventHandler,
    TCoreWebView2LostFocusEventHandler, TCoreWebView2MoveFocusRequestedEventHandler,
    TCoreWebView2ZoomFactorChangedEventHandler, TCoreWebView2RasterizationScaleChangedEventHandler,
    TCoreWebView2ProfileDeletedEventHandler, TCoreWebView2NewBrowserVersionAvailableEventHandler,
    TCoreWebView2CursorChangedEventHandler, TCoreWebView2NonClientRegionChangedEventHandler,
    TCoreWebView2CustomItemSelectedEventHandler, TCoreWebView2NotificationCloseRequestedEventHandler,
    TCoreWebView2BrowserProcessExitedEventHandler, TCoreWebView2ProcessInfosChangedEventHandler,
    TCoreWebView2ExecuteScriptCompletedHandler, TCoreWebView2ExecuteScriptWithResultCompletedHandler,
    TCoreWebView2CallDevToolsProtocolMethodCompletedHandler,
    TCoreWebView2AddScriptToExecuteOnDocumentCreatedCompletedHandler,
    TCoreWebView2CapturePreviewCompletedHandler, TCoreWebView2ClearBrowsingDataCompletedHandler,
    TCoreWebView2ClearServerCertificateErrorActionsCompletedHandler,
    TCoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler,
    TCoreWebView2CreateCoreWebView2ControllerCompletedHandler, TCoreWebView2GetCookiesCompletedHandler,
    TCoreWebView2GetFaviconCompletedHandler, TCoreWebView2GetNonDefaultPermissionSettingsCompletedHandler,
    TCoreWebView2GetProcessExtendedInfosCompletedHandler, TCoreWebView2PrintCompletedHandler,
    TCoreWebView2PrintToPdfCompletedHandler, TCoreWebView2PrintToPdfStreamCompletedHandler,
    TCoreWebView2ProfileAddBrowserExtensionCompletedHandler,
    TCoreWebView2ProfileGetBrowserExtensionsCompletedHandler, TCoreWebView2SetPermissionStateCompletedHandler,
    TCoreWebView2ShowSaveAsUICompletedHandler, TCoreWebView2TrySuspendCompletedHandler,
    TCoreWebView2FrameNameChangedEventHandler, TCoreWebView2FrameDestroyedEventHandler,
    TCoreWebView2FrameNavigationStarting2EventHandler, TCoreWebView2FrameContentLoadingEventHandler,
    TCoreWebView2FrameNavigationCompleted2EventHandler, TCoreWebView2FrameDOMContentLoadedEventHandler,
    TCoreWebView2FrameWebMessageReceivedEventHandler, TCoreWebView2FramePermissionRequestedEventHandler,
    TCoreWebView2FrameScreenCaptureStartingEventHandler, TCoreWebView2BytesReceivedChangedEventHandler,
    TCoreWebView2EstimatedEndTimeChangedEventHandler, TCoreWebView2StateChangedEventHandler>;
TYPED_TEST_SUITE(SinkFamilyTest, EverySink);

TYPED_TEST(SinkFamilyTest, ReachesTheFaceMethodOfItsOwnCallback) {
  RecordingBrowserEvents events;
  events.answer = S_FALSE;
  auto sink = MakeSink<TypeParam>(&events);

  EXPECT_EQ(InvokeWithZeros(*sink, &TypeParam::Invoke), S_FALSE);

  ASSERT_EQ(events.calls.size(), 1u);
  EXPECT_EQ(events.calls[0].name, TypeParam::kCallbackName);
}

TYPED_TEST(SinkFamilyTest, WithoutATargetAnswersEFail) {
  auto sink = MakeSink<TypeParam>(nullptr);
  EXPECT_EQ(InvokeWithZeros(*sink, &TypeParam::Invoke), E_FAIL);
}

}  // namespace
}  // namespace velmoran::test
