#include "app/TForm.h"

#include "app/TApplication.h"

namespace velmoran::app {

using namespace platform;

TForm::TForm(TApplication& application, TFormProperties properties)
    : application_(application), properties_(std::move(properties)) {}

TForm::~TForm() { DestroyHandle(); }

platform::Platform& TForm::Platform() const { return application_.Platform(); }

void TForm::Create() {
  WindowManager& windows = Platform().windows();
  Rect bounds{0, 0, properties_.clientWidth, properties_.clientHeight};
  windows.AdjustWindowRectEx(bounds, properties_.style, false, 0);
  const std::int32_t width = bounds.Width();
  const std::int32_t height = bounds.Height();
  const std::int32_t left = (windows.GetSystemMetrics(kSmCxScreen) - width) / 2;
  const std::int32_t top = (windows.GetSystemMetrics(kSmCyScreen) - height) / 2;

  WindowCreation creation;
  creation.className = properties_.className;
  creation.windowName = caption_;
  creation.style = properties_.style;
  creation.bounds = Rect{left, top, left + width, top + height};
  creation.procedure = this;
  font_ = Platform().graphics().CreateFontIndirectW(properties_.font);
  handle_ = windows.CreateWindowExW(creation);
  if (handle_ != 0 && font_ != 0) windows.SendMessageW(handle_, kWmSetFont, font_, 0);
  CreateChildren();
  AlignControls();
  DoCreate();
}

void TForm::Show() {
  if (handle_ == 0) return;
  if (!shown_) {
    shown_ = true;
    DoShow();
  }
  WindowManager& windows = Platform().windows();
  windows.ShowWindow(handle_, properties_.maximisedAtFirstShow ? kSwShowMaximized : kSwShowNormal);
  windows.SetFocus(handle_);
}

void TForm::DestroyHandle() {
  const WindowHandle handle = handle_;
  handle_ = 0;
  WindowManager& windows = Platform().windows();
  if (handle != 0 && windows.IsWindow(handle)) windows.DestroyWindow(handle);
  // Only now: no window is left that could still draw with it.
  if (font_ != 0) Platform().graphics().DeleteObject(font_);
  font_ = 0;
}

std::u16string TForm::Caption() const {
  return handle_ != 0 ? Platform().windows().GetWindowTextW(handle_) : caption_;
}

void TForm::SetCaption(std::u16string_view caption) {
  caption_ = std::u16string(caption);
  if (handle_ != 0) Platform().windows().SetWindowTextW(handle_, caption_);
}

void TForm::AlignControls() {
  if (handle_ == 0) return;
  WindowManager& windows = Platform().windows();
  Rect client;
  if (!windows.GetClientRect(handle_, client)) return;
  const std::vector<DockedWindow> children = DockedChildren();
  const std::vector<Rect> rects = AlignDocked(client, children);
  for (std::size_t i = 0; i < children.size(); ++i) {
    if (!children[i].visible || children[i].align == TAlign::alNone || children[i].handle == 0) continue;
    const Rect& r = rects[i];
    windows.SetWindowPos(children[i].handle, 0, r.left, r.top, r.Width(), r.Height(),
                         kSwpNoZOrder | kSwpNoActivate);
  }
}

TShiftState TForm::CurrentShiftState() const {
  WindowManager& windows = Platform().windows();
  TShiftState shift = 0;
  if (windows.GetKeyState(kVkShift) < 0) shift |= ssShift;
  if (windows.GetKeyState(kVkMenu) < 0) shift |= ssAlt;
  if (windows.GetKeyState(kVkControl) < 0) shift |= ssCtrl;
  return shift;
}

std::intptr_t TForm::WindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  WindowManager& windows = Platform().windows();
  switch (message) {
    case kWmSize:
      if (window == handle_) AlignControls();
      break;
    case kWmKeyDown:
    case kWmSysKeyDown: {
      // Alt turns every key into a system key; the form sees those as well.
      auto key = static_cast<std::uint16_t>(wParam);
      KeyDown(key, CurrentShiftState());
      if (key == 0) return 0;
      break;
    }
    case kWmSetFont:
      fontInUse_ = static_cast<GdiObject>(wParam);
      return 0;
    case kWmGetFont:
      return static_cast<std::intptr_t>(fontInUse_);
    case kWmClose:
      // Closing the main window ends the application's message loop.
      windows.PostQuitMessage(0);
      return 0;
    case kWmDestroy:
      if (window == handle_) handle_ = 0;
      break;
    default:
      break;
  }
  return windows.DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velmoran::app
