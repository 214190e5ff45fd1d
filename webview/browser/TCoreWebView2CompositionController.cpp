#include "webview/browser/TCoreWebView2CompositionController.h"

#include "webview/browser/WrapperCalls.h"
#include "webview/loader/EventSubscription.h"
#include "webview/loader/QueryInterfaceLogged.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

namespace {

// The first version, reached only through QueryInterface: the object may come
// from a runtime that declares the interface differently or not at all.
ComPtr<ICoreWebView2CompositionController> AskForCompositionController(IUnknown* aObject) {
  ComPtr<ICoreWebView2CompositionController> result;
  if (aObject != nullptr)
    QueryInterfaceLogged(aObject, IID_ICoreWebView2CompositionController, result.PutVoid());
  return result;
}

}  // namespace

TCoreWebView2CompositionController::TCoreWebView2CompositionController(IUnknown* aObject)
    : FVersions(AskForCompositionController(aObject).Get()) {}

TCoreWebView2CompositionController::~TCoreWebView2CompositionController() {
  RemoveAllEvents();
  FVersions.Release();
}

bool TCoreWebView2CompositionController::AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent) {
  return Subscribe<TCoreWebView2CursorChangedEventHandler>(
             FVersions.Get<ICoreWebView2CompositionController>(),
             &ICoreWebView2CompositionController::add_CursorChanged, FTokens.FCursorChangedToken,
             aBrowserComponent) &&
         Subscribe<TCoreWebView2NonClientRegionChangedEventHandler>(
             FVersions.Get<ICoreWebView2CompositionController4>(),
             &ICoreWebView2CompositionController4::add_NonClientRegionChanged,
             FTokens.FNonClientRegionChangedToken, aBrowserComponent);
}

void TCoreWebView2CompositionController::RemoveAllEvents() {
  if (!Initialized()) return;
  Unsubscribe(FVersions.Get<ICoreWebView2CompositionController>(),
              &ICoreWebView2CompositionController::remove_CursorChanged, FTokens.FCursorChangedToken);
  Unsubscribe(FVersions.Get<ICoreWebView2CompositionController4>(),
              &ICoreWebView2CompositionController4::remove_NonClientRegionChanged,
              FTokens.FNonClientRegionChangedToken);
}

ComPtr<IUnknown> TCoreWebView2CompositionController::RootVisualTarget() const {
  return ReadInterface<IUnknown>(FVersions.Get<ICoreWebView2CompositionController>(),
                                 &ICoreWebView2CompositionController::get_RootVisualTarget);
}

bool TCoreWebView2CompositionController::SetRootVisualTarget(IUnknown* aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2CompositionController>(),
                       &ICoreWebView2CompositionController::put_RootVisualTarget, aValue);
}

bool TCoreWebView2CompositionController::SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND aEventKind,
                                                        COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS aVirtualKeys,
                                                        std::uint32_t aMouseData, POINT aPoint) {
  return CallSucceeded(FVersions.Get<ICoreWebView2CompositionController>(),
                       &ICoreWebView2CompositionController::SendMouseInput, aEventKind, aVirtualKeys,
                       static_cast<UINT32>(aMouseData), aPoint);
}

bool TCoreWebView2CompositionController::SendPointerInput(COREWEBVIEW2_POINTER_EVENT_KIND aEventKind,
                                                          ICoreWebView2PointerInfo* aPointerInfo) {
  return CallSucceeded(FVersions.Get<ICoreWebView2CompositionController>(),
                       &ICoreWebView2CompositionController::SendPointerInput, aEventKind, aPointerInfo);
}

HCURSOR TCoreWebView2CompositionController::Cursor() const {
  return ReadValue<HCURSOR>(FVersions.Get<ICoreWebView2CompositionController>(),
                            &ICoreWebView2CompositionController::get_Cursor, nullptr);
}

std::uint32_t TCoreWebView2CompositionController::SystemCursorId() const {
  return ReadValue<UINT32>(FVersions.Get<ICoreWebView2CompositionController>(),
                           &ICoreWebView2CompositionController::get_SystemCursorId);
}

ComPtr<IUnknown> TCoreWebView2CompositionController::AutomationProvider() const {
  return ReadInterface<IUnknown>(FVersions.Get<ICoreWebView2CompositionController2>(),
                                 &ICoreWebView2CompositionController2::get_AutomationProvider);
}

bool TCoreWebView2CompositionController::DragEnter(IDataObject* aDataObject, std::uint32_t aKeyState,
                                                   POINT aPoint, std::uint32_t& aEffect) {
  DWORD effect = aEffect;
  if (!CallSucceeded(FVersions.Get<ICoreWebView2CompositionController3>(),
                     &ICoreWebView2CompositionController3::DragEnter, aDataObject,
                     static_cast<DWORD>(aKeyState), aPoint, &effect))
    return false;
  aEffect = effect;
  return true;
}

bool TCoreWebView2CompositionController::DragLeave() {
  return CallSucceeded(FVersions.Get<ICoreWebView2CompositionController3>(),
                       &ICoreWebView2CompositionController3::DragLeave);
}

bool TCoreWebView2CompositionController::DragOver(std::uint32_t aKeyState, POINT aPoint,
                                                  std::uint32_t& aEffect) {
  DWORD effect = aEffect;
  if (!CallSucceeded(FVersions.Get<ICoreWebView2CompositionController3>(),
                     &ICoreWebView2CompositionController3::DragOver, static_cast<DWORD>(aKeyState), aPoint,
                     &effect))
    return false;
  aEffect = effect;
  return true;
}

bool TCoreWebView2CompositionController::Drop(IDataObject* aDataObject, std::uint32_t aKeyState, POINT aPoint,
                                              std::uint32_t& aEffect) {
  DWORD effect = aEffect;
  if (!CallSucceeded(FVersions.Get<ICoreWebView2CompositionController3>(),
                     &ICoreWebView2CompositionController3::Drop, aDataObject, static_cast<DWORD>(aKeyState),
                     aPoint, &effect))
    return false;
  aEffect = effect;
  return true;
}

COREWEBVIEW2_NON_CLIENT_REGION_KIND TCoreWebView2CompositionController::GetNonClientRegionAtPoint(
    POINT aPoint) const {
  COREWEBVIEW2_NON_CLIENT_REGION_KIND kind = COREWEBVIEW2_NON_CLIENT_REGION_KIND_NOWHERE;
  ICoreWebView2CompositionController4* intf = FVersions.Get<ICoreWebView2CompositionController4>();
  if (intf == nullptr || FAILED(intf->GetNonClientRegionAtPoint(aPoint, &kind)))
    return COREWEBVIEW2_NON_CLIENT_REGION_KIND_NOWHERE;
  return kind;
}

ComPtr<ICoreWebView2RegionRectCollectionView> TCoreWebView2CompositionController::QueryNonClientRegion(
    COREWEBVIEW2_NON_CLIENT_REGION_KIND aKind) const {
  ComPtr<ICoreWebView2RegionRectCollectionView> rects;
  ICoreWebView2CompositionController4* intf = FVersions.Get<ICoreWebView2CompositionController4>();
  if (intf == nullptr) return rects;
  ComPtr<ICoreWebView2RegionRectCollectionView> answered;
  if (FAILED(intf->QueryNonClientRegion(aKind, answered.Put())) || !answered) return rects;
  // The collection's interface is ours too: it is asked for, not assumed.
  QueryInterfaceLogged(answered.Get(), IID_ICoreWebView2RegionRectCollectionView, rects.PutVoid());
  return rects;
}

}  // namespace velmoran::webview
