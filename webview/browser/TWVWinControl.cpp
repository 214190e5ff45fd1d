#include "webview/browser/TWVWinControl.h"

#include <stdexcept>
#include <utility>

namespace velmoran::webview {

using namespace platform;

TWVWinControl::TWVWinControl(WindowManager& windows) : FWindows(windows) {}

TWVWinControl::~TWVWinControl() {
  NotifyRemoval();
  DestroyHandle();
}

bool TWVWinControl::CreateHandle(WindowHandle parent, std::function<void()> realign) {
  FParentHandle = parent;
  FRealign = std::move(realign);
  try {
    CreateHandle();
  } catch (const std::exception&) {
    return false;
  }
  return FHandle != 0;
}

void TWVWinControl::CreateHandle() {
  WindowCreation creation;
  creation.className = u"TWVWindowParent";
  creation.style = kWsChild | kWsClipChildren | kWsClipSiblings | (Visible ? kWsVisible : 0u) |
                   (TabStop ? kWsTabStop : 0u);
  creation.parent = FParentHandle;
  creation.procedure = this;
  const WindowHandle handle = FWindows.CreateWindowExW(creation);
  if (handle == 0) throw std::runtime_error("Error creating window");
  FHandle = handle;
}

void TWVWinControl::DestroyHandle() {
  const WindowHandle handle = std::exchange(FHandle, 0);
  if (handle != 0 && FWindows.IsWindow(handle)) FWindows.DestroyWindow(handle);
}

void TWVWinControl::RecreateWnd() {
  if (FHandle == 0 || FRecreating) return;
  FRecreating = true;
  try {
    Perform(CM_RECREATEWND, 0, 0);
  } catch (...) {
    FRecreating = false;
    throw;
  }
  FRecreating = false;
}

std::intptr_t TWVWinControl::Perform(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  TWVMessage message{msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

WindowHandle TWVWinControl::ChildWindowHandle() const {
  if (FHandle == 0) return 0;
  return FWindows.GetWindow(FHandle, kGwChild);
}

void TWVWinControl::InvalidateChildren() {
  if (FHandle != 0) FWindows.RedrawWindow(FHandle, kRdwInvalidate | kRdwAllChildren);
}

Rect TWVWinControl::ClientRect() const {
  Rect client;
  if (FHandle != 0) FWindows.GetClientRect(FHandle, client);
  return client;
}

void TWVWinControl::UpdateSize() {
  const WindowHandle child = ChildWindowHandle();
  if (child == 0) return;
  const Rect client = ClientRect();
  FWindows.SetWindowPos(child, 0, 0, 0, client.right, client.bottom, kSwpNoZOrder);
}

void TWVWinControl::SetFocus() {
  if (FHandle != 0 && Enabled) FWindows.SetFocus(FHandle);
}

std::intptr_t TWVWinControl::WindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                        std::intptr_t lParam) {
  // The system sends the first messages before CreateWindowExW has returned the handle.
  if (message == kWmCreate && FHandle == 0) FHandle = window;
  if (window != FHandle) return FWindows.DefWindowProcW(window, message, wParam, lParam);
  TWVMessage handled{message, wParam, lParam, 0};
  try {
    WndProc(handled);
  } catch (...) {
    // Nothing may unwind through the system's dispatch; the message counts as handled by default.
    handled.Result = 0;
  }
  if (message == kWmDestroy) FHandle = 0;
  return handled.Result;
}

void TWVWinControl::WndProc(TWVMessage& aMessage) { DefaultHandler(aMessage); }

void TWVWinControl::DefaultHandler(TWVMessage& aMessage) {
  switch (aMessage.Msg) {
    case kWmSize:
      Resize();
      break;
    case kWmSetFocus:
      if (OnEnter) OnEnter(this);
      break;
    case kWmKillFocus:
      if (OnExit) OnExit(this);
      break;
    case kWmEraseBkgnd:
      aMessage.Result = EraseBackground(aMessage.WParam) ? 1 : 0;
      return;
    case CM_RECREATEWND:
      DestroyHandle();
      CreateHandle();
      if (FRealign) FRealign();
      return;
    default:
      break;
  }
  if (FHandle != 0)
    aMessage.Result = FWindows.DefWindowProcW(FHandle, aMessage.Msg, aMessage.WParam, aMessage.LParam);
}

void TWVWinControl::Resize() {
  if (OnResize) OnResize(this);
  UpdateSize();
}

bool TWVWinControl::EraseBackground(std::uintptr_t deviceContext) {
  // The system's default erase paints the window class's background brush;
  // answering "erased" without it left the host black until the browser came.
  if (FHandle == 0) return false;
  return FWindows.DefWindowProcW(FHandle, kWmEraseBkgnd, deviceContext, 0) != 0;
}

}  // namespace velmoran::webview
