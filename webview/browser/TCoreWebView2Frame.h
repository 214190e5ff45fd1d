#pragma once

// The frame wrapper: one frame of the page (an iframe of the top document) as
// the runtime announced it with FrameCreated. The frame's interfaces carry ids
// of our own, so the wrapper reaches ICoreWebView2Frame only through
// QueryInterface on the pointer it is given: a runtime that does not know the
// id refuses, the wrapper is not Initialized and every member answers False,
// 0 or empty. Then it collects the newer versions (up to 6), subscribes the
// frame's events for the browser control under the control's number for the
// frame, and offers the frame's runtime calls under the wrappers' one rule.
//
// The application may make one too, from the frame its event handler got, to
// read the frame's name and id or to post it a message.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2Frame {
 public:
  // Asks `aFrame` (or none) for the frame's interfaces. `aFrameKey` is what
  // the subscriptions hand back to the browser control with every event.
  TCoreWebView2Frame(IUnknown* aFrame, platform::Com& aCom, std::uint32_t aFrameKey = 0);
  // Removes the subscriptions, then releases every interface.
  ~TCoreWebView2Frame();
  TCoreWebView2Frame(const TCoreWebView2Frame&) = delete;
  TCoreWebView2Frame& operator=(const TCoreWebView2Frame&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2Frame* BaseIntf() const { return FVersions.Get<ICoreWebView2Frame>(); }
  std::uint32_t FrameKey() const { return FFrameKey; }

  // Subscribes NameChanged and Destroyed (ICoreWebView2Frame), NavigationStarting,
  // ContentLoading, NavigationCompleted, DOMContentLoaded and WebMessageReceived
  // (2), PermissionRequested (3) and ScreenCaptureStarting (6), in that order,
  // stopping at the first that cannot be made; True only if all were.
  bool AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent);
  // Removes every subscription made; every token is zero afterwards.
  void RemoveAllEvents();

  // --- Runtime calls: get_X is X(), put_X is SetX(), a method keeps its name. ---

  // ICoreWebView2Frame
  std::u16string Name() const;
  bool AddHostObjectToScriptWithOrigins(const std::u16string& aName, VARIANT* aObject,
                                        const std::vector<std::u16string>& aOrigins);
  bool RemoveHostObjectFromScript(const std::u16string& aName);
  // True also when the runtime cannot tell: a frame that cannot answer is no frame to use.
  bool IsDestroyed() const;
  // ICoreWebView2Frame2: the script's completion arrives as the control's OnExecuteScriptCompleted.
  bool ExecuteScript(const std::u16string& aJavaScript, IWVBrowserEvents* aBrowserEvents,
                     std::int32_t aExecutionID = 0);
  bool PostWebMessageAsJson(const std::u16string& aWebMessageAsJson);
  bool PostWebMessageAsString(const std::u16string& aWebMessageAsString);
  // ICoreWebView2Frame4
  bool PostSharedBufferToScript(ICoreWebView2SharedBuffer* aSharedBuffer,
                                COREWEBVIEW2_SHARED_BUFFER_ACCESS aAccess,
                                const std::u16string& aAdditionalDataAsJson);
  // ICoreWebView2Frame5: the runtime's id of the frame; 0 when it does not tell.
  std::uint32_t FrameID() const;

 private:
  platform::Com& FCom;
  std::uint32_t FFrameKey;
  InterfaceVersions<ICoreWebView2Frame, ICoreWebView2Frame2, ICoreWebView2Frame3, ICoreWebView2Frame4,
                    ICoreWebView2Frame5, ICoreWebView2Frame6>
      FVersions;
  struct TTokens {
    EventRegistrationToken FNameChangedToken{};
    EventRegistrationToken FDestroyedToken{};
    EventRegistrationToken FNavigationStartingToken{};
    EventRegistrationToken FContentLoadingToken{};
    EventRegistrationToken FNavigationCompletedToken{};
    EventRegistrationToken FDOMContentLoadedToken{};
    EventRegistrationToken FWebMessageReceivedToken{};
    EventRegistrationToken FPermissionRequestedToken{};
    EventRegistrationToken FScreenCaptureStartingToken{};
  } FTokens;
};

}  // namespace velmoran::webview
