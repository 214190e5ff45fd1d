#pragma once

// The simulated composition controller: the windowless browser's controller.
// It is a controller too: QueryInterface for any controller version answers
// the windowed controller it holds (with its webview and child windows), so
// the host goes on from it as from a windowed one. It records the input the
// host sends (mouse, pointer, drag and drop) and answers from the cursor and
// the non-client regions the page set; the test changes those through
// ChangeCursor and ChangeNonClientRegion, which raise CursorChanged and
// NonClientRegionChanged on the next pump of the message queue.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/sim/SimCompositionControllerBase.h"
#include "runtime/sim/SimControllerSide.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::runtime::sim {

class SimController;

// One SendMouseInput as the host sent it.
struct SimMouseInput {
  COREWEBVIEW2_MOUSE_EVENT_KIND kind;
  COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS virtualKeys;
  UINT32 mouseData;
  POINT point;
};

class SimCompositionController final : public SimCompositionControllerBase {
 public:
  SimCompositionController(const std::shared_ptr<SimRuntimeContext>& context,
                           const std::shared_ptr<SimControllerSide>& side, HWND parentWindow,
                           const SimControllerRequest& request);
  ~SimCompositionController() override;

  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override;

  HRESULT WV2_STDCALL get_RootVisualTarget(IUnknown** target) override;
  HRESULT WV2_STDCALL put_RootVisualTarget(IUnknown* target) override;
  HRESULT WV2_STDCALL SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND eventKind,
                                     COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS virtualKeys, UINT32 mouseData,
                                     POINT point) override;
  HRESULT WV2_STDCALL SendPointerInput(COREWEBVIEW2_POINTER_EVENT_KIND eventKind,
                                       ICoreWebView2PointerInfo* pointerInfo) override;
  HRESULT WV2_STDCALL DragEnter(IDataObject* dataObject, DWORD keyState, POINT point, DWORD* effect) override;
  HRESULT WV2_STDCALL DragLeave() override;
  HRESULT WV2_STDCALL DragOver(DWORD keyState, POINT point, DWORD* effect) override;
  HRESULT WV2_STDCALL Drop(IDataObject* dataObject, DWORD keyState, POINT point, DWORD* effect) override;
  HRESULT WV2_STDCALL GetNonClientRegionAtPoint(POINT point,
                                                COREWEBVIEW2_NON_CLIENT_REGION_KIND* value) override;
  HRESULT WV2_STDCALL QueryNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND kind,
                                           ICoreWebView2RegionRectCollectionView** rects) override;

  SimController& Controller() { return *controller_; }

  // The page shows another cursor: the values change now, CursorChanged follows on the next pump.
  void ChangeCursor(HCURSOR cursor, UINT32 systemCursorId);
  // The page's region of `kind` is now `rects`; NonClientRegionChanged follows on the next pump.
  void ChangeNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND kind, std::vector<RECT> rects);
  // The effect the page chooses for a drag over it (DROPEFFECT bits), limited by what the source allows.
  void SetDropEffect(DWORD effect) { dropEffect_ = effect; }

  // What the host sent, in order.
  const std::vector<SimMouseInput>& MouseInputs() const { return mouseInputs_; }
  const std::vector<COREWEBVIEW2_POINTER_EVENT_KIND>& PointerInputs() const { return pointerInputs_; }
  // "DragEnter", "DragOver", "DragLeave", "Drop", in the order they came.
  const std::vector<std::string>& DragCalls() const { return dragCalls_; }

 private:
  HRESULT Dragged(const char* call, DWORD* effect);

  std::shared_ptr<SimControllerSide> side_;
  webview::ComPtr<SimController> controller_;
  webview::ComPtr<IUnknown> rootVisualTarget_;
  std::map<COREWEBVIEW2_NON_CLIENT_REGION_KIND, std::vector<RECT>> regions_;
  std::vector<SimMouseInput> mouseInputs_;
  std::vector<COREWEBVIEW2_POINTER_EVENT_KIND> pointerInputs_;
  std::vector<std::string> dragCalls_;
  DWORD dropEffect_ = 1;  // DROPEFFECT_COPY
};

}  // namespace velmoran::runtime::sim
