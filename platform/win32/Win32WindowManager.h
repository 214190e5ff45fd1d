#pragma once

#include "platform/WindowManager.h"

namespace velmoran::platform::win32 {

// Called when a C++ exception escapes one of the project's window
// procedures, inside the catch block, so std::current_exception() names it;
// it must not return. An exception must never unwind through the system's
// frames between the message loop and the procedure: they were not compiled
// for it. Without a handler such an exception ends the program through
// std::terminate.
using EscapedExceptionHandler = void (*)();
void SetEscapedExceptionHandler(EscapedExceptionHandler handler);

// Forwards to the system. Windows created here run the project's procedures
// through one shared native procedure that looks the window up; a
// WindowProcRef is an index into a table of procedures (native or the
// project's), so GWL_WNDPROC values of either kind can be put back.
class Win32WindowManager final : public WindowManager {
 public:
  WindowHandle CreateWindowExW(const WindowCreation& creation) override;
  bool DestroyWindow(WindowHandle window) override;
  bool IsWindow(WindowHandle window) override;
  std::int32_t GetWindowLongW(WindowHandle window, std::int32_t index) override;
  std::int32_t SetWindowLongW(WindowHandle window, std::int32_t index, std::int32_t value) override;
  WindowProcRef GetWindowProcW(WindowHandle window) override;
  WindowProcRef SetWindowProcW(WindowHandle window, WindowProcRef procedure) override;
  WindowProcRef WindowProcRefOf(WindowProcedure& procedure) override;
  std::intptr_t CallWindowProcW(WindowProcRef procedure, WindowHandle window, std::uint32_t message,
                                std::uintptr_t wParam, std::intptr_t lParam) override;
  std::intptr_t DefWindowProcW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
  bool SetWindowTextW(WindowHandle window, std::u16string_view text) override;
  std::u16string GetWindowTextW(WindowHandle window) override;
  bool GetWindowRect(WindowHandle window, Rect& rect) override;
  bool GetClientRect(WindowHandle window, Rect& rect) override;
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
  bool AdjustWindowRectEx(Rect& rect, std::uint32_t style, bool menu, std::uint32_t exStyle) override;
  bool ShowWindow(WindowHandle window, std::int32_t command) override;
  bool IsWindowVisible(WindowHandle window) override;
  WindowHandle SetFocus(WindowHandle window) override;
  WindowHandle GetFocus() override;
  std::int16_t GetKeyState(std::int32_t virtualKey) override;
  MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags) override;
  bool GetMonitorInfoW(MonitorHandle monitor, MonitorInfo& info) override;
  std::int32_t GetSystemMetrics(std::int32_t index) override;
  std::int32_t GetDeviceCaps(std::int32_t index) override;
  WindowHandle GetWindow(WindowHandle window, std::uint32_t command) override;
  WindowHandle FindWindowExW(WindowHandle parent, WindowHandle childAfter,
                             std::optional<std::u16string_view> className,
                             std::optional<std::u16string_view> windowName) override;
  bool RedrawWindow(WindowHandle window, std::uint32_t flags) override;
  bool PostMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam) override;
  std::intptr_t SendMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  bool PeekMessageW(Message& message, WindowHandle window, std::uint32_t filterMin, std::uint32_t filterMax,
                    std::uint32_t removeFlags) override;
  std::int32_t GetMessageW(Message& message, WindowHandle window, std::uint32_t filterMin,
                           std::uint32_t filterMax) override;
  bool TranslateMessage(const Message& message) override;
  std::intptr_t DispatchMessageW(const Message& message) override;
  void PostQuitMessage(std::int32_t exitCode) override;
  std::int32_t MessageBoxW(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                           std::uint32_t flags) override;
};

}  // namespace velmoran::platform::win32
