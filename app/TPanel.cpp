#include "app/TPanel.h"

#include <utility>

namespace velmoran::app {

using namespace platform;

TPanel::TPanel(WindowManager& windows, std::u16string className, TAlign align, std::int32_t size)
    : FWindows(windows), FClassName(std::move(className)), FAlign(align), FSize(size) {}

TPanel::~TPanel() {
  if (FHandle != 0 && FWindows.IsWindow(FHandle)) FWindows.DestroyWindow(FHandle);
}

bool TPanel::CreateHandle(WindowHandle parent, std::function<void()> realign) {
  WindowCreation creation;
  creation.className = FClassName;
  creation.style = kWsChild | kWsClipSiblings | (FVisible ? kWsVisible : 0);
  creation.parent = parent;
  creation.procedure = this;
  FHandle = FWindows.CreateWindowExW(creation);
  FRealign = std::move(realign);
  return FHandle != 0;
}

void TPanel::SetVisible(bool visible) {
  if (FVisible == visible) return;
  FVisible = visible;
  if (FHandle != 0) FWindows.ShowWindow(FHandle, visible ? kSwShow : kSwHide);
  if (FRealign) FRealign();
}

void TPanel::SetFillingControl(TFillingControl* control) {
  FFilling = control;
  FitFillingControl();
}

void TPanel::FitFillingControl() {
  if (FHandle == 0 || FFilling == nullptr || FFilling->Handle() == 0) return;
  Rect client;
  if (!FWindows.GetClientRect(FHandle, client)) return;
  FWindows.SetWindowPos(FFilling->Handle(), 0, 0, 0, client.Width(), client.Height(),
                        kSwpNoZOrder | kSwpNoActivate);
}

std::intptr_t TPanel::WindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
  if (window == FHandle) {
    switch (message) {
      case kWmSize:
        FitFillingControl();
        break;
      case kWmCtlColorEdit:
      case kWmCtlColorStatic:
        if (FFilling != nullptr && FFilling->Handle() == static_cast<WindowHandle>(lParam)) {
          return static_cast<std::intptr_t>(FFilling->ControlColor(static_cast<DeviceContext>(wParam)));
        }
        break;
      case kWmDestroy:
        FHandle = 0;
        break;
      default:
        break;
    }
  }
  return FWindows.DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velmoran::app
