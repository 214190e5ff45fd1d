#include "webview/browser/TCoreWebView2Frame.h"

#include "webview/browser/OwnInterfaceQuery.h"
#include "webview/browser/WrapperCalls.h"
#include "webview/loader/EventSubscription.h"
#include "webview/sinks/CoreWebView2FrameSinks.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

TCoreWebView2Frame::TCoreWebView2Frame(IUnknown* aFrame, platform::Com& aCom, std::uint32_t aFrameKey)
    : FCom(aCom), FFrameKey(aFrameKey), FVersions(QueryOwnInterface<ICoreWebView2Frame>(aFrame).Get()) {}

TCoreWebView2Frame::~TCoreWebView2Frame() {
  RemoveAllEvents();
  FVersions.Release();
}

bool TCoreWebView2Frame::AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent) {
  ICoreWebView2Frame* frame = FVersions.Get<ICoreWebView2Frame>();
  ICoreWebView2Frame2* frame2 = FVersions.Get<ICoreWebView2Frame2>();
  return Subscribe<TCoreWebView2FrameNameChangedEventHandler>(frame, &ICoreWebView2Frame::add_NameChanged,
                                                              FTokens.FNameChangedToken, aBrowserComponent,
                                                              FFrameKey) &&
         Subscribe<TCoreWebView2FrameDestroyedEventHandler>(frame, &ICoreWebView2Frame::add_Destroyed,
                                                            FTokens.FDestroyedToken, aBrowserComponent,
                                                            FFrameKey) &&
         Subscribe<TCoreWebView2FrameNavigationStarting2EventHandler>(
             frame2, &ICoreWebView2Frame2::add_NavigationStarting, FTokens.FNavigationStartingToken,
             aBrowserComponent, FFrameKey) &&
         Subscribe<TCoreWebView2FrameContentLoadingEventHandler>(
             frame2, &ICoreWebView2Frame2::add_ContentLoading, FTokens.FContentLoadingToken,
             aBrowserComponent, FFrameKey) &&
         Subscribe<TCoreWebView2FrameNavigationCompleted2EventHandler>(
             frame2, &ICoreWebView2Frame2::add_NavigationCompleted, FTokens.FNavigationCompletedToken,
             aBrowserComponent, FFrameKey) &&
         Subscribe<TCoreWebView2FrameDOMContentLoadedEventHandler>(
             frame2, &ICoreWebView2Frame2::add_DOMContentLoaded, FTokens.FDOMContentLoadedToken,
             aBrowserComponent, FFrameKey) &&
         Subscribe<TCoreWebView2FrameWebMessageReceivedEventHandler>(
             frame2, &ICoreWebView2Frame2::add_WebMessageReceived, FTokens.FWebMessageReceivedToken,
             aBrowserComponent, FFrameKey) &&
         Subscribe<TCoreWebView2FramePermissionRequestedEventHandler>(
             FVersions.Get<ICoreWebView2Frame3>(), &ICoreWebView2Frame3::add_PermissionRequested,
             FTokens.FPermissionRequestedToken, aBrowserComponent, FFrameKey) &&
         Subscribe<TCoreWebView2FrameScreenCaptureStartingEventHandler>(
             FVersions.Get<ICoreWebView2Frame6>(), &ICoreWebView2Frame6::add_ScreenCaptureStarting,
             FTokens.FScreenCaptureStartingToken, aBrowserComponent, FFrameKey);
}

void TCoreWebView2Frame::RemoveAllEvents() {
  ICoreWebView2Frame* frame = FVersions.Get<ICoreWebView2Frame>();
  ICoreWebView2Frame2* frame2 = FVersions.Get<ICoreWebView2Frame2>();
  Unsubscribe(frame, &ICoreWebView2Frame::remove_NameChanged, FTokens.FNameChangedToken);
  Unsubscribe(frame, &ICoreWebView2Frame::remove_Destroyed, FTokens.FDestroyedToken);
  Unsubscribe(frame2, &ICoreWebView2Frame2::remove_NavigationStarting, FTokens.FNavigationStartingToken);
  Unsubscribe(frame2, &ICoreWebView2Frame2::remove_ContentLoading, FTokens.FContentLoadingToken);
  Unsubscribe(frame2, &ICoreWebView2Frame2::remove_NavigationCompleted, FTokens.FNavigationCompletedToken);
  Unsubscribe(frame2, &ICoreWebView2Frame2::remove_DOMContentLoaded, FTokens.FDOMContentLoadedToken);
  Unsubscribe(frame2, &ICoreWebView2Frame2::remove_WebMessageReceived, FTokens.FWebMessageReceivedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2Frame3>(), &ICoreWebView2Frame3::remove_PermissionRequested,
              FTokens.FPermissionRequestedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2Frame6>(), &ICoreWebView2Frame6::remove_ScreenCaptureStarting,
              FTokens.FScreenCaptureStartingToken);
}

std::u16string TCoreWebView2Frame::Name() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2Frame>(), &ICoreWebView2Frame::get_Name);
}

bool TCoreWebView2Frame::AddHostObjectToScriptWithOrigins(const std::u16string& aName, VARIANT* aObject,
                                                          const std::vector<std::u16string>& aOrigins) {
  std::vector<LPCWSTR> origins;
  origins.reserve(aOrigins.size());
  for (const std::u16string& origin : aOrigins) origins.push_back(AsWideText(origin));
  return CallSucceeded(FVersions.Get<ICoreWebView2Frame>(),
                       &ICoreWebView2Frame::AddHostObjectToScriptWithOrigins, AsWideText(aName), aObject,
                       static_cast<UINT32>(origins.size()), origins.empty() ? nullptr : origins.data());
}

bool TCoreWebView2Frame::RemoveHostObjectFromScript(const std::u16string& aName) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Frame>(), &ICoreWebView2Frame::RemoveHostObjectFromScript,
                       AsWideText(aName));
}

bool TCoreWebView2Frame::IsDestroyed() const {
  ICoreWebView2Frame* frame = FVersions.Get<ICoreWebView2Frame>();
  BOOL destroyed = TRUE;
  if (frame == nullptr || FAILED(frame->IsDestroyed(&destroyed))) return true;
  return destroyed != FALSE;
}

bool TCoreWebView2Frame::ExecuteScript(const std::u16string& aJavaScript, IWVBrowserEvents* aBrowserEvents,
                                       std::int32_t aExecutionID) {
  ICoreWebView2Frame2* intf = FVersions.Get<ICoreWebView2Frame2>();
  if (intf == nullptr) return false;
  return CallSucceeded(
      intf, &ICoreWebView2Frame2::ExecuteScript, AsWideText(aJavaScript),
      MakeComObject<TCoreWebView2ExecuteScriptCompletedHandler>(aBrowserEvents, aExecutionID).Get());
}

bool TCoreWebView2Frame::PostWebMessageAsJson(const std::u16string& aWebMessageAsJson) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Frame2>(), &ICoreWebView2Frame2::PostWebMessageAsJson,
                       AsWideText(aWebMessageAsJson));
}

bool TCoreWebView2Frame::PostWebMessageAsString(const std::u16string& aWebMessageAsString) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Frame2>(), &ICoreWebView2Frame2::PostWebMessageAsString,
                       AsWideText(aWebMessageAsString));
}

bool TCoreWebView2Frame::PostSharedBufferToScript(ICoreWebView2SharedBuffer* aSharedBuffer,
                                                  COREWEBVIEW2_SHARED_BUFFER_ACCESS aAccess,
                                                  const std::u16string& aAdditionalDataAsJson) {
  return CallSucceeded(FVersions.Get<ICoreWebView2Frame4>(), &ICoreWebView2Frame4::PostSharedBufferToScript,
                       aSharedBuffer, aAccess, AsWideText(aAdditionalDataAsJson));
}

std::uint32_t TCoreWebView2Frame::FrameID() const {
  return ReadValue<UINT32>(FVersions.Get<ICoreWebView2Frame5>(), &ICoreWebView2Frame5::get_FrameId);
}

}  // namespace velmoran::webview
