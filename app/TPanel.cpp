#include "app/TPanel.h"

#include <utility>

namespace velmoran::app {

using namespace platform;

TPanel::TPanel(WindowManager& windows, std::u16string className, TAlign align, std::int32_t size)
    : windows_(windows), className_(std::move(className)), align_(align), size_(size) {}

TPanel::~TPanel() {
  if (handle_ != 0 && windows_.IsWindow(handle_)) windows_.DestroyWindow(handle_);
}

bool TPanel::CreateHandle(WindowHandle parent, std::function<void()> realign) {
  WindowCreation creation;
  creation.className = className_;
  creation.style = kWsChild | kWsClipSiblings | (visible_ ? kWsVisible : 0);
  creation.parent = parent;
  creation.procedure = this;
  handle_ = windows_.CreateWindowExW(creation);
  realign_ = std::move(realign);
  return handle_ != 0;
}

void TPanel::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (handle_ != 0) windows_.ShowWindow(handle_, visible ? kSwShow : kSwHide);
  if (realign_) realign_();
}

void TPanel::SetFillingControl(TFillingControl* control) {
  filling_ = control;
  FitFillingControl();
}

void TPanel::FitFillingControl() {
  if (handle_ == 0 || filling_ == nullptr || filling_->Handle() == 0) return;
  Rect client;
  if (!windows_.GetClientRect(handle_, client)) return;
  windows_.SetWindowPos(filling_->Handle(), 0, 0, 0, client.Width(), client.Height(),
                        kSwpNoZOrder | kSwpNoActivate);
}

std::intptr_t TPanel::WindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
  if (window == handle_) {
    switch (message) {
      case kWmSize:
        FitFillingControl();
        break;
      case kWmCtlColorEdit:
      case kWmCtlColorStatic:
        if (filling_ != nullptr && filling_->Handle() == static_cast<WindowHandle>(lParam)) {
          return static_cast<std::intptr_t>(filling_->ControlColor(static_cast<DeviceContext>(wParam)));
        }
        break;
      case kWmDestroy:
        handle_ = 0;
        break;
      default:
        break;
    }
  }
  return windows_.DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velmoran::app
