#pragma once

// The composition controller wrapper: the windowless browser's controller,
// which the host feeds with input (mouse, pointer, drag and drop) and asks for
// the cursor and the page's non-client regions. Its interfaces are our own
// declarations, so the wrapper never trusts the pointer it is given: it asks
// it (QueryInterface) for the first version and then for each newer one, and
// a runtime that does not know them leaves the wrapper empty and every member
// answering False, 0 or none. It subscribes CursorChanged and
// NonClientRegionChanged for the browser control and removes them again when
// it goes.

#include <cstdint>

#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2CompositionController {
 public:
  // Asks `aObject` (or none) for ICoreWebView2CompositionController and its newer versions.
  explicit TCoreWebView2CompositionController(IUnknown* aObject);
  // Removes the subscriptions and releases every interface.
  ~TCoreWebView2CompositionController();
  TCoreWebView2CompositionController(const TCoreWebView2CompositionController&) = delete;
  TCoreWebView2CompositionController& operator=(const TCoreWebView2CompositionController&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2CompositionController* BaseIntf() const {
    return FVersions.Get<ICoreWebView2CompositionController>();
  }

  // CursorChanged, then NonClientRegionChanged (version 4); True only if both were made.
  bool AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent);
  void RemoveAllEvents();

  // --- Runtime calls: get_X is X(), put_X is SetX(), a method keeps its name. ---

  // ICoreWebView2CompositionController
  ComPtr<IUnknown> RootVisualTarget() const;
  bool SetRootVisualTarget(IUnknown* aValue);
  bool SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND aEventKind,
                      COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS aVirtualKeys, std::uint32_t aMouseData,
                      POINT aPoint);
  // The pointer information is the environment's object, passed through as it came.
  bool SendPointerInput(COREWEBVIEW2_POINTER_EVENT_KIND aEventKind, ICoreWebView2PointerInfo* aPointerInfo);
  HCURSOR Cursor() const;
  std::uint32_t SystemCursorId() const;
  // ICoreWebView2CompositionController2
  ComPtr<IUnknown> AutomationProvider() const;
  // ICoreWebView2CompositionController3; aEffect is written only when the call succeeded.
  bool DragEnter(IDataObject* aDataObject, std::uint32_t aKeyState, POINT aPoint, std::uint32_t& aEffect);
  bool DragLeave();
  bool DragOver(std::uint32_t aKeyState, POINT aPoint, std::uint32_t& aEffect);
  bool Drop(IDataObject* aDataObject, std::uint32_t aKeyState, POINT aPoint, std::uint32_t& aEffect);
  // ICoreWebView2CompositionController4
  COREWEBVIEW2_NON_CLIENT_REGION_KIND GetNonClientRegionAtPoint(POINT aPoint) const;
  ComPtr<ICoreWebView2RegionRectCollectionView> QueryNonClientRegion(
      COREWEBVIEW2_NON_CLIENT_REGION_KIND aKind) const;

 private:
  struct EventTokens {
    EventRegistrationToken FCursorChangedToken{};
    EventRegistrationToken FNonClientRegionChangedToken{};
  };

  InterfaceVersions<ICoreWebView2CompositionController, ICoreWebView2CompositionController2,
                    ICoreWebView2CompositionController3, ICoreWebView2CompositionController4>
      FVersions;
  EventTokens FTokens;
};

}  // namespace velmoran::webview
