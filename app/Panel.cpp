#include "app/Panel.h"

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

std::intptr_t TPanel::WindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
  if (message == kWmDestroy && window == handle_) handle_ = 0;
  return windows_.DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velmoran::app
