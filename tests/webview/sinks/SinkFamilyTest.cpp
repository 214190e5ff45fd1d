#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>

#include "tests/webview/sinks/RecordingEvents.h"
#include "webview/sinks/CoreWebView2Sinks.h"

// Every member of the sink family, one by one: each must reach the face method
// of the callback it is named for, and answer E_FAIL without a target.

namespace velmoran::webview {
namespace {

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
    TCoreWebView2ShowSaveAsUICompletedHandler, TCoreWebView2TrySuspendCompletedHandler>;
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
}  // namespace velmoran::webview
