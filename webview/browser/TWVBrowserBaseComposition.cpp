#include "webview/browser/TCoreWebView2CompositionController.h"
#include "webview/browser/TWVBrowserBase.h"

// The windowless browser's members: input, drag and drop, the cursor and the
// page's non-client regions, all through the composition controller, and its
// two events. A windowed browser holds no composition controller, so each
// member answers False (0, none) there, as it does before Initialized.

namespace velmoran::webview {

TCoreWebView2CompositionController* TWVBrowserBase::CompositionController() const {
  return Initialized() && FCoreWebView2CompositionController ? FCoreWebView2CompositionController.get()
                                                             : nullptr;
}

bool TWVBrowserBase::SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND aEventKind,
                                    COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS aVirtualKeys,
                                    std::uint32_t aMouseData, POINT aPoint) {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr && controller->SendMouseInput(aEventKind, aVirtualKeys, aMouseData, aPoint);
}

bool TWVBrowserBase::SendPointerInput(COREWEBVIEW2_POINTER_EVENT_KIND aEventKind,
                                      ICoreWebView2PointerInfo* aPointerInfo) {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr && controller->SendPointerInput(aEventKind, aPointerInfo);
}

HCURSOR TWVBrowserBase::Cursor() const {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr ? controller->Cursor() : nullptr;
}

std::uint32_t TWVBrowserBase::SystemCursorId() const {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr ? controller->SystemCursorId() : 0;
}

ComPtr<IUnknown> TWVBrowserBase::RootVisualTarget() const {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr ? controller->RootVisualTarget() : ComPtr<IUnknown>();
}

bool TWVBrowserBase::SetRootVisualTarget(IUnknown* aTarget) {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr && controller->SetRootVisualTarget(aTarget);
}

ComPtr<IUnknown> TWVBrowserBase::AutomationProvider() const {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr ? controller->AutomationProvider() : ComPtr<IUnknown>();
}

bool TWVBrowserBase::DragEnter(IDataObject* aDataObject, std::uint32_t aKeyState, POINT aPoint,
                               std::uint32_t& aEffect) {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr && controller->DragEnter(aDataObject, aKeyState, aPoint, aEffect);
}

bool TWVBrowserBase::DragLeave() {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr && controller->DragLeave();
}

bool TWVBrowserBase::DragOver(std::uint32_t aKeyState, POINT aPoint, std::uint32_t& aEffect) {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr && controller->DragOver(aKeyState, aPoint, aEffect);
}

bool TWVBrowserBase::Drop(IDataObject* aDataObject, std::uint32_t aKeyState, POINT aPoint,
                          std::uint32_t& aEffect) {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr && controller->Drop(aDataObject, aKeyState, aPoint, aEffect);
}

COREWEBVIEW2_NON_CLIENT_REGION_KIND TWVBrowserBase::GetNonClientRegionAtPoint(POINT aPoint) const {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr ? controller->GetNonClientRegionAtPoint(aPoint)
                               : COREWEBVIEW2_NON_CLIENT_REGION_KIND_NOWHERE;
}

ComPtr<ICoreWebView2RegionRectCollectionView> TWVBrowserBase::QueryNonClientRegion(
    COREWEBVIEW2_NON_CLIENT_REGION_KIND aKind) const {
  TCoreWebView2CompositionController* controller = CompositionController();
  return controller != nullptr ? controller->QueryNonClientRegion(aKind)
                               : ComPtr<ICoreWebView2RegionRectCollectionView>();
}

HRESULT TWVBrowserBase::HandleCursorChanged(ICoreWebView2CompositionController* sender, IUnknown* args) {
  NotifyCursorChanged(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleNonClientRegionChanged(ICoreWebView2CompositionController* sender,
                                                     ICoreWebView2NonClientRegionChangedEventArgs* args) {
  NotifyNonClientRegionChanged(sender, args);
  return S_OK;
}

}  // namespace velmoran::webview
