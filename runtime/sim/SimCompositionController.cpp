#include "runtime/sim/SimCompositionController.h"

#include <algorithm>
#include <utility>

#include "runtime/sim/SimController.h"
#include "runtime/sim/SimCoreWebView2Environment.h"
#include "runtime/sim/SimNonClientRegionChangedEventArgs.h"
#include "runtime/sim/SimRegionRectCollectionView.h"

namespace velmoran::runtime::sim {

using webview::ComPtr;
using webview::MakeComObject;

namespace {

bool IsControllerId(REFIID riid) {
  return riid == IID_ICoreWebView2Controller || riid == IID_ICoreWebView2Controller2 ||
         riid == IID_ICoreWebView2Controller3 || riid == IID_ICoreWebView2Controller4;
}

bool Contains(const RECT& rect, POINT point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

}  // namespace

SimCompositionController::SimCompositionController(const std::shared_ptr<SimRuntimeContext>& context,
                                                   const std::shared_ptr<SimControllerSide>& side,
                                                   HWND parentWindow, const SimControllerRequest& request)
    : SimCompositionControllerBase(context, side->Config().compositionControllerVersions),
      side_(side),
      controller_(MakeComObject<SimController>(context, side, parentWindow, request)) {
  side_->CompositionControllerCreated(this);
  // An arrow until the page says otherwise (IDC_ARROW's id).
  values_.Write<HCURSOR>("Cursor", nullptr);
  values_.Write<UINT32>("SystemCursorId", 32512);
}

SimCompositionController::~SimCompositionController() { side_->CompositionControllerDestroyed(this); }

HRESULT SimCompositionController::QueryInterface(REFIID riid, void** object) {
  if (object != nullptr && IsControllerId(riid)) return controller_->QueryInterface(riid, object);
  return SimCompositionControllerBase::QueryInterface(riid, object);
}

HRESULT SimCompositionController::get_RootVisualTarget(IUnknown** target) {
  if (target == nullptr) return E_POINTER;
  *target = nullptr;
  if (const HRESULT scripted = Context().CallResult("get_RootVisualTarget"); FAILED(scripted))
    return scripted;
  *target = ComPtr<IUnknown>(rootVisualTarget_).Detach();
  return S_OK;
}

HRESULT SimCompositionController::put_RootVisualTarget(IUnknown* target) {
  if (const HRESULT scripted = Context().CallResult("put_RootVisualTarget"); FAILED(scripted))
    return scripted;
  rootVisualTarget_ = ComPtr<IUnknown>(target);
  return S_OK;
}

HRESULT SimCompositionController::SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND eventKind,
                                                 COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS virtualKeys,
                                                 UINT32 mouseData, POINT point) {
  if (const HRESULT scripted = Context().CallResult("SendMouseInput"); FAILED(scripted)) return scripted;
  mouseInputs_.push_back({eventKind, virtualKeys, mouseData, point});
  return S_OK;
}

HRESULT SimCompositionController::SendPointerInput(COREWEBVIEW2_POINTER_EVENT_KIND eventKind,
                                                   ICoreWebView2PointerInfo* pointerInfo) {
  if (pointerInfo == nullptr) return E_INVALIDARG;
  if (const HRESULT scripted = Context().CallResult("SendPointerInput"); FAILED(scripted)) return scripted;
  pointerInputs_.push_back(eventKind);
  return S_OK;
}

HRESULT SimCompositionController::Dragged(const char* call, DWORD* effect) {
  if (effect == nullptr) return E_POINTER;
  if (const HRESULT scripted = Context().CallResult(call); FAILED(scripted)) return scripted;
  dragCalls_.emplace_back(call);
  *effect &= dropEffect_;
  return S_OK;
}

HRESULT SimCompositionController::DragEnter(IDataObject* dataObject, DWORD /*keyState*/, POINT /*point*/,
                                            DWORD* effect) {
  if (dataObject == nullptr) return E_INVALIDARG;
  return Dragged("DragEnter", effect);
}

HRESULT SimCompositionController::DragLeave() {
  if (const HRESULT scripted = Context().CallResult("DragLeave"); FAILED(scripted)) return scripted;
  dragCalls_.emplace_back("DragLeave");
  return S_OK;
}

HRESULT SimCompositionController::DragOver(DWORD /*keyState*/, POINT /*point*/, DWORD* effect) {
  return Dragged("DragOver", effect);
}

HRESULT SimCompositionController::Drop(IDataObject* dataObject, DWORD /*keyState*/, POINT /*point*/,
                                       DWORD* effect) {
  if (dataObject == nullptr) return E_INVALIDARG;
  return Dragged("Drop", effect);
}

HRESULT SimCompositionController::GetNonClientRegionAtPoint(POINT point,
                                                            COREWEBVIEW2_NON_CLIENT_REGION_KIND* value) {
  if (value == nullptr) return E_POINTER;
  *value = COREWEBVIEW2_NON_CLIENT_REGION_KIND_NOWHERE;
  if (const HRESULT scripted = Context().CallResult("GetNonClientRegionAtPoint"); FAILED(scripted))
    return scripted;
  for (const auto& [kind, rects] : regions_) {
    for (const RECT& rect : rects) {
      if (Contains(rect, point)) {
        *value = kind;
        return S_OK;
      }
    }
  }
  return S_OK;
}

HRESULT SimCompositionController::QueryNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND kind,
                                                       ICoreWebView2RegionRectCollectionView** rects) {
  if (rects == nullptr) return E_POINTER;
  *rects = nullptr;
  if (const HRESULT scripted = Context().CallResult("QueryNonClientRegion"); FAILED(scripted))
    return scripted;
  auto found = regions_.find(kind);
  auto view = MakeComObject<SimRegionRectCollectionView>(
      SharedContext(), found == regions_.end() ? std::vector<RECT>{} : found->second);
  *rects = ComPtr<ICoreWebView2RegionRectCollectionView>(view).Detach();
  return S_OK;
}

void SimCompositionController::ChangeCursor(HCURSOR cursor, UINT32 systemCursorId) {
  values_.Write<HCURSOR>("Cursor", cursor);
  values_.Write<UINT32>("SystemCursorId", systemCursorId);
  ComPtr<SimCompositionController> self(this);
  Context().Post([self] {
    self->Events().Raise<ICoreWebView2CursorChangedEventHandler>(
        "CursorChanged", static_cast<ICoreWebView2CompositionController*>(self.Get()),
        static_cast<IUnknown*>(nullptr));
  });
}

void SimCompositionController::ChangeNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND kind,
                                                     std::vector<RECT> rects) {
  regions_[kind] = std::move(rects);
  ComPtr<SimCompositionController> self(this);
  std::shared_ptr<SimRuntimeContext> context = SharedContext();
  Context().Post([self, context, kind] {
    auto args = MakeComObject<SimNonClientRegionChangedEventArgs>(context, SimVersionLimit{1, {}});
    args->Values().Write<COREWEBVIEW2_NON_CLIENT_REGION_KIND>("RegionKind", kind);
    self->Events().Raise<ICoreWebView2NonClientRegionChangedEventHandler>(
        "NonClientRegionChanged", static_cast<ICoreWebView2CompositionController*>(self.Get()),
        static_cast<ICoreWebView2NonClientRegionChangedEventArgs*>(args.Get()));
  });
}

// The controller side's part: a composition controller request completes
// later, as a controller request does, and with the same outcome the test chose.
HRESULT SimControllerSide::CreateCompositionController(
    SimCoreWebView2Environment& environment, HWND parentWindow, ICoreWebView2ControllerOptions* options,
    ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) {
  const SimCallOutcome outcome = config_.createController;
  if (FAILED(outcome.immediate)) return outcome.immediate;
  SimControllerRequest request;
  request.parentWindow = parentWindow;
  request.withOptions = options != nullptr;
  requests_.push_back(request);
  ComPtr<ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler> completion(handler);
  const std::shared_ptr<SimRuntimeContext>& context = environment.SharedContext();
  std::shared_ptr<SimControllerSide> self = shared_from_this();
  context->Post([context, self, completion, outcome, request] {
    if (FAILED(outcome.completion) || outcome.withoutObject) {
      context->Observer().ControllerFailed(outcome.completion);
      completion->Invoke(outcome.completion, nullptr);
      return;
    }
    context->Observer().ControllerCreated(request.parentWindow);
    auto controller = MakeComObject<SimCompositionController>(context, self, request.parentWindow, request);
    completion->Invoke(outcome.completion, controller.Get());
  });
  return S_OK;
}

void SimControllerSide::CompositionControllerDestroyed(SimCompositionController* controller) {
  compositionControllers_.erase(
      std::remove(compositionControllers_.begin(), compositionControllers_.end(), controller),
      compositionControllers_.end());
}

}  // namespace velmoran::runtime::sim
