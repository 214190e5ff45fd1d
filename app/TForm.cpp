#include "app/TForm.h"

#include "app/TApplication.h"

namespace velmoran::app {

using namespace platform;

TForm::TForm(TApplication& application, TFormProperties properties)
    : FApplication(application), FProperties(std::move(properties)) {}

TForm::~TForm() { DestroyHandle(); }

platform::Platform& TForm::Platform() const { return FApplication.Platform(); }

void TForm::Create() {
  WindowManager& windows = Platform().windows();
  Rect bounds{0, 0, FProperties.clientWidth, FProperties.clientHeight};
  windows.AdjustWindowRectEx(bounds, FProperties.style, false, 0);
  const std::int32_t width = bounds.Width();
  const std::int32_t height = bounds.Height();
  const std::int32_t left = (windows.GetSystemMetrics(kSmCxScreen) - width) / 2;
  const std::int32_t top = (windows.GetSystemMetrics(kSmCyScreen) - height) / 2;

  WindowCreation creation;
  creation.className = FProperties.className;
  creation.windowName = FCaption;
  creation.style = FProperties.style;
  creation.bounds = Rect{left, top, left + width, top + height};
  creation.procedure = this;
  FFont = Platform().graphics().CreateFontIndirectW(FProperties.font);
  FHandle = windows.CreateWindowExW(creation);
  if (FHandle != 0 && FFont != 0) windows.SendMessageW(FHandle, kWmSetFont, FFont, 0);
  CreateChildren();
  AlignControls();
  DoCreate();
}

void TForm::Show() {
  if (FHandle == 0) return;
  if (!FShown) {
    FShown = true;
    DoShow();
  }
  WindowManager& windows = Platform().windows();
  windows.ShowWindow(FHandle, FProperties.maximisedAtFirstShow ? kSwShowMaximized : kSwShowNormal);
  windows.SetFocus(FHandle);
}

void TForm::DestroyHandle() {
  const WindowHandle handle = FHandle;
  FHandle = 0;
  WindowManager& windows = Platform().windows();
  if (handle != 0 && windows.IsWindow(handle)) windows.DestroyWindow(handle);
  // Only now: no window is left that could still draw with it.
  if (FFont != 0) Platform().graphics().DeleteObject(FFont);
  FFont = 0;
}

std::u16string TForm::Caption() const {
  return FHandle != 0 ? Platform().windows().GetWindowTextW(FHandle) : FCaption;
}

void TForm::SetCaption(std::u16string_view caption) {
  FCaption = std::u16string(caption);
  if (FHandle != 0) Platform().windows().SetWindowTextW(FHandle, FCaption);
}

void TForm::AlignControls() {
  if (FHandle == 0) return;
  WindowManager& windows = Platform().windows();
  Rect client;
  if (!windows.GetClientRect(FHandle, client)) return;
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
      if (window == FHandle) AlignControls();
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
      FFontInUse = static_cast<GdiObject>(wParam);
      return 0;
    case kWmGetFont:
      return static_cast<std::intptr_t>(FFontInUse);
    case kWmClose:
      // Closing the main window ends the application's message loop.
      windows.PostQuitMessage(0);
      return 0;
    case kWmDestroy:
      if (window == FHandle) FHandle = 0;
      break;
    default:
      break;
  }
  return windows.DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velmoran::app
