#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/WindowManager.h"

namespace velmoran::platform::sim {

// Simulated windows and message queue. Windows keep their class, title,
// style, bounds, parent and children; the frame a style implies is fixed
// (kSimFrame...) so client areas are predictable. Messages posted to a window
// reach its procedure only when someone pumps the queue; size and focus
// changes are sent to the procedure at once, as the system sends them.
class SimWindowManager final : public WindowManager {
 public:
  // Frame of the simulated system: a thick (resizable) frame, a thin frame
  // (WS_BORDER or WS_DLGFRAME), and the caption bar of WS_CAPTION.
  static constexpr std::int32_t kSimThickFrame = 8;
  static constexpr std::int32_t kSimThinFrame = 3;
  static constexpr std::int32_t kSimCaption = 23;

  struct MessageBoxRecord {
    WindowHandle owner = 0;
    std::u16string text;
    std::u16string caption;
    std::uint32_t flags = 0;
  };

  SimWindowManager();
  ~SimWindowManager() override;
  SimWindowManager(const SimWindowManager&) = delete;
  SimWindowManager& operator=(const SimWindowManager&) = delete;

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
  WindowHandle GetFocus() override { return focus_; }
  std::int16_t GetKeyState(std::int32_t virtualKey) override;
  MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags) override;
  bool GetMonitorInfoW(MonitorHandle monitor, MonitorInfo& info) override;
  std::int32_t GetSystemMetrics(std::int32_t index) override;
  std::int32_t GetDeviceCaps(std::int32_t index) override {
    return index == kLogPixelsX || index == kLogPixelsY ? screenLogPixels_ : 0;
  }
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

  // --- Test controls ---

  // Runs `callback` when the queue is pumped and a message posted now is
  // dispatched (to a hidden window of the simulation), never inside this call.
  // The simulated browser runtime delivers its completions this way.
  void PostCallback(std::function<void()> callback);

  // Monitors, the first one primary. One 1920 x 1080 monitor with a 40-pixel
  // task bar at the bottom by default.
  void SetMonitors(std::vector<MonitorInfo> monitors);

  // Called by GetMessageW whenever the queue is empty, so a test can act as
  // the user (press a key, close the window). When the queue is still empty
  // afterwards GetMessageW fails (-1) instead of waiting for ever.
  void SetIdleHandler(std::function<void()> handler) { idleHandler_ = std::move(handler); }

  // Answers of the message boxes: the handler sees each box (and may pump the
  // queue, as a modal box does); without one every box answers IDOK.
  void SetMessageBoxHandler(std::function<std::int32_t(const MessageBoxRecord&)> handler) {
    messageBoxHandler_ = std::move(handler);
  }
  const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }

  // Holds a key down (GetKeyState) or lets it go.
  void SetKeyDown(std::uint16_t virtualKey, bool down);
  // A key press as the system delivers it: WM_KEYDOWN (WM_SYSKEYDOWN while
  // Alt is held) posted to the focused window, or to `fallback` when no
  // window has the focus.
  void PressKey(std::uint16_t virtualKey, WindowHandle fallback = 0);

  // Runs inside DestroyWindow for each window destroyed, before it is gone.
  void SetDestroyObserver(std::function<void(WindowHandle)> observer) {
    destroyObserver_ = std::move(observer);
  }

  // The screen's logical pixels per inch (96 by default, 144 at 150 %).
  void SetScreenLogPixels(std::int32_t pixelsPerInch) { screenLogPixels_ = pixelsPerInch; }

  std::size_t QueuedMessages() const { return queue_.size(); }
  std::size_t DispatchedMessages() const { return dispatched_; }
  std::size_t LiveWindows() const;
  std::u16string ClassName(WindowHandle window) const;
  WindowHandle Parent(WindowHandle window) const;

 private:
  struct Window;
  class CallbackWindow;

  Window* Find(WindowHandle window);
  const Window* Find(WindowHandle window) const;
  Rect FrameOf(std::uint32_t style) const;
  Rect ScreenRectOf(const Window& window) const;
  void Resized(WindowHandle handle, std::uintptr_t kind);
  void DestroyTree(WindowHandle window);
  bool TakeMessage(Message& message, WindowHandle window, std::uint32_t filterMin, std::uint32_t filterMax,
                   bool remove);

  std::map<WindowHandle, std::unique_ptr<Window>> windows_;
  std::vector<WindowProcedure*> procedures_;  // WindowProcRef n is procedures_[n - 1]
  std::deque<Message> queue_;
  bool quitPosted_ = false;
  std::int32_t quitCode_ = 0;
  WindowHandle nextHandle_ = 0x10010;
  WindowHandle focus_ = 0;
  std::vector<MonitorInfo> monitors_;
  std::set<std::uint16_t> keysDown_;
  std::size_t dispatched_ = 0;
  std::int32_t screenLogPixels_ = 96;

  std::unique_ptr<CallbackWindow> callbackWindow_;
  WindowHandle callbackHandle_ = 0;
  std::map<std::uintptr_t, std::function<void()>> callbacks_;
  std::uintptr_t nextCallback_ = 1;

  std::function<void()> idleHandler_;
  std::function<std::int32_t(const MessageBoxRecord&)> messageBoxHandler_;
  std::vector<MessageBoxRecord> messageBoxes_;
  std::function<void(WindowHandle)> destroyObserver_;
};

}  // namespace velmoran::platform::sim
