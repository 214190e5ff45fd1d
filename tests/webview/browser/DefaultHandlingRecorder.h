#pragma once

// A window manager that hands every call to the simulated one and notes which
// messages reached the system's default window procedure, so a test can tell
// the system's own handling (the default erase paints the class background)
// from a control that only claims to have done it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowManager.h"

namespace velmoran::test {

class DefaultHandlingRecorder final : public platform::WindowManager {
 public:
  using WindowHandle = platform::WindowHandle;
  using MonitorHandle = platform::MonitorHandle;
  using WindowProcRef = platform::WindowProcRef;
  using WindowCreation = platform::WindowCreation;
  using WindowProcedure = platform::WindowProcedure;
  using Rect = platform::Rect;
  using MonitorInfo = platform::MonitorInfo;
  using Message = platform::Message;

  explicit DefaultHandlingRecorder(platform::WindowManager& inner) : inner_(inner) {}

  std::size_t DefaultHandlingsOf(std::uint32_t message) const {
    std::size_t count = 0;
    for (const std::uint32_t handled : defaultHandled_)
      if (handled == message) ++count;
    return count;
  }

  WindowHandle CreateWindowExW(const WindowCreation& creation) override {
    return inner_.CreateWindowExW(creation);
  }
  bool DestroyWindow(WindowHandle window) override { return inner_.DestroyWindow(window); }
  bool IsWindow(WindowHandle window) override { return inner_.IsWindow(window); }
  std::int32_t GetWindowLongW(WindowHandle window, std::int32_t index) override {
    return inner_.GetWindowLongW(window, index);
  }
  std::int32_t SetWindowLongW(WindowHandle window, std::int32_t index, std::int32_t value) override {
    return inner_.SetWindowLongW(window, index, value);
  }
  WindowProcRef GetWindowProcW(WindowHandle window) override { return inner_.GetWindowProcW(window); }
  WindowProcRef SetWindowProcW(WindowHandle window, WindowProcRef procedure) override {
    return inner_.SetWindowProcW(window, procedure);
  }
  WindowProcRef WindowProcRefOf(WindowProcedure& procedure) override {
    return inner_.WindowProcRefOf(procedure);
  }
  std::intptr_t CallWindowProcW(WindowProcRef procedure, WindowHandle window, std::uint32_t message,
                                std::uintptr_t wParam, std::intptr_t lParam) override {
    return inner_.CallWindowProcW(procedure, window, message, wParam, lParam);
  }
  std::intptr_t DefWindowProcW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) override {
    defaultHandled_.push_back(message);
    return inner_.DefWindowProcW(window, message, wParam, lParam);
  }
  bool SetWindowTextW(WindowHandle window, std::u16string_view text) override {
    return inner_.SetWindowTextW(window, text);
  }
  std::u16string GetWindowTextW(WindowHandle window) override { return inner_.GetWindowTextW(window); }
  bool GetWindowRect(WindowHandle window, Rect& rect) override { return inner_.GetWindowRect(window, rect); }
  bool GetClientRect(WindowHandle window, Rect& rect) override { return inner_.GetClientRect(window, rect); }
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) override {
    return inner_.SetWindowPos(window, insertAfter, x, y, cx, cy, flags);
  }
  bool AdjustWindowRectEx(Rect& rect, std::uint32_t style, bool menu, std::uint32_t exStyle) override {
    return inner_.AdjustWindowRectEx(rect, style, menu, exStyle);
  }
  bool ShowWindow(WindowHandle window, std::int32_t command) override {
    return inner_.ShowWindow(window, command);
  }
  bool IsWindowVisible(WindowHandle window) override { return inner_.IsWindowVisible(window); }
  WindowHandle SetFocus(WindowHandle window) override { return inner_.SetFocus(window); }
  WindowHandle GetFocus() override { return inner_.GetFocus(); }
  std::int16_t GetKeyState(std::int32_t virtualKey) override { return inner_.GetKeyState(virtualKey); }
  MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags) override {
    return inner_.MonitorFromWindow(window, flags);
  }
  bool GetMonitorInfoW(MonitorHandle monitor, MonitorInfo& info) override {
    return inner_.GetMonitorInfoW(monitor, info);
  }
  std::int32_t GetSystemMetrics(std::int32_t index) override { return inner_.GetSystemMetrics(index); }
  std::int32_t GetDeviceCaps(std::int32_t index) override { return inner_.GetDeviceCaps(index); }
  WindowHandle GetWindow(WindowHandle window, std::uint32_t command) override {
    return inner_.GetWindow(window, command);
  }
  WindowHandle FindWindowExW(WindowHandle parent, WindowHandle childAfter,
                             std::optional<std::u16string_view> className,
                             std::optional<std::u16string_view> windowName) override {
    return inner_.FindWindowExW(parent, childAfter, className, windowName);
  }
  bool RedrawWindow(WindowHandle window, std::uint32_t flags) override {
    return inner_.RedrawWindow(window, flags);
  }
  bool PostMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam) override {
    return inner_.PostMessageW(window, message, wParam, lParam);
  }
  std::intptr_t SendMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override {
    return inner_.SendMessageW(window, message, wParam, lParam);
  }
  bool PeekMessageW(Message& message, WindowHandle window, std::uint32_t filterMin, std::uint32_t filterMax,
                    std::uint32_t removeFlags) override {
    return inner_.PeekMessageW(message, window, filterMin, filterMax, removeFlags);
  }
  std::int32_t GetMessageW(Message& message, WindowHandle window, std::uint32_t filterMin,
                           std::uint32_t filterMax) override {
    return inner_.GetMessageW(message, window, filterMin, filterMax);
  }
  bool TranslateMessage(const Message& message) override { return inner_.TranslateMessage(message); }
  std::intptr_t DispatchMessageW(const Message& message) override { return inner_.DispatchMessageW(message); }
  void PostQuitMessage(std::int32_t exitCode) override { return inner_.PostQuitMessage(exitCode); }
  std::int32_t MessageBoxW(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                           std::uint32_t flags) override {
    return inner_.MessageBoxW(owner, text, caption, flags);
  }

 private:
  platform::WindowManager& inner_;
  std::vector<std::uint32_t> defaultHandled_;
};

}  // namespace velmoran::test
