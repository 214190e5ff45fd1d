#pragma once

// Windows, the thread's message queue, monitors and modal message boxes, with
// the meanings of the Win32 calls of the same names. Window procedures are
// objects of the project's own (WindowProcedure); a procedure as GWL_WNDPROC
// holds it is an opaque WindowProcRef, good only for CallWindowProcW and for
// putting back with SetWindowProcW.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace velmoran::platform {

using WindowHandle = Handle;   // HWND
using MonitorHandle = Handle;  // HMONITOR
using WindowProcRef = std::uintptr_t;

// RECT: four 32-bit signed screen or client coordinates.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct MonitorInfo {
  Rect rcMonitor;  // the whole monitor, task bar included
  Rect rcWork;     // the monitor without the task bar
  std::uint32_t dwFlags = 0;
};

// MSG
struct Message {
  WindowHandle hwnd = 0;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

// Window styles (GWL_STYLE).
inline constexpr std::uint32_t kWsPopup = 0x80000000;
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsMinimize = 0x20000000;
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsClipSiblings = 0x04000000;
inline constexpr std::uint32_t kWsClipChildren = 0x02000000;
inline constexpr std::uint32_t kWsMaximize = 0x01000000;
inline constexpr std::uint32_t kWsCaption = 0x00C00000;  // WS_BORDER | WS_DLGFRAME
inline constexpr std::uint32_t kWsBorder = 0x00800000;
inline constexpr std::uint32_t kWsDlgFrame = 0x00400000;
inline constexpr std::uint32_t kWsVScroll = 0x00200000;
inline constexpr std::uint32_t kWsHScroll = 0x00100000;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000;
inline constexpr std::uint32_t kWsThickFrame = 0x00040000;
inline constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
inline constexpr std::uint32_t kWsMaximizeBox = 0x00010000;
inline constexpr std::uint32_t kWsTabStop = 0x00010000;
inline constexpr std::uint32_t kWsExClientEdge = 0x00000200;  // GWL_EXSTYLE

// GetWindowLongW / SetWindowLongW indexes.
inline constexpr std::int32_t kGwlWndProc = -4;
inline constexpr std::int32_t kGwlStyle = -16;
inline constexpr std::int32_t kGwlExStyle = -20;

// Messages.
inline constexpr std::uint32_t kWmCreate = 0x0001;
inline constexpr std::uint32_t kWmDestroy = 0x0002;
inline constexpr std::uint32_t kWmSize = 0x0005;
inline constexpr std::uint32_t kWmSetFocus = 0x0007;
inline constexpr std::uint32_t kWmKillFocus = 0x0008;
inline constexpr std::uint32_t kWmSetText = 0x000C;
inline constexpr std::uint32_t kWmGetText = 0x000D;
inline constexpr std::uint32_t kWmGetTextLength = 0x000E;
inline constexpr std::uint32_t kWmPaint = 0x000F;
inline constexpr std::uint32_t kWmClose = 0x0010;
inline constexpr std::uint32_t kWmQuit = 0x0012;
inline constexpr std::uint32_t kWmEraseBkgnd = 0x0014;
inline constexpr std::uint32_t kWmSetFont = 0x0030;  // wParam: the font, lParam: redraw
inline constexpr std::uint32_t kWmGetFont = 0x0031;
inline constexpr std::uint32_t kWmKeyDown = 0x0100;
inline constexpr std::uint32_t kWmKeyUp = 0x0101;
inline constexpr std::uint32_t kWmChar = 0x0102;
inline constexpr std::uint32_t kWmSysKeyDown = 0x0104;
// Sent to a control's parent before the control paints: wParam is the device
// context, lParam the control; the answer is the brush of its background.
inline constexpr std::uint32_t kWmCtlColorEdit = 0x0133;
inline constexpr std::uint32_t kWmCtlColorStatic = 0x0138;
inline constexpr std::uint32_t kWmUser = 0x0400;
inline constexpr std::uint32_t kWmApp = 0x8000;

// WM_SIZE kinds.
inline constexpr std::uintptr_t kSizeRestored = 0;
inline constexpr std::uintptr_t kSizeMaximized = 2;

// ShowWindow commands.
inline constexpr std::int32_t kSwHide = 0;
inline constexpr std::int32_t kSwShowNormal = 1;
inline constexpr std::int32_t kSwShowMaximized = 3;
inline constexpr std::int32_t kSwShow = 5;
inline constexpr std::int32_t kSwRestore = 9;

// SetWindowPos flags.
inline constexpr std::uint32_t kSwpNoSize = 0x0001;
inline constexpr std::uint32_t kSwpNoMove = 0x0002;
inline constexpr std::uint32_t kSwpNoZOrder = 0x0004;
inline constexpr std::uint32_t kSwpNoActivate = 0x0010;
inline constexpr std::uint32_t kSwpFrameChanged = 0x0020;
inline constexpr std::uint32_t kSwpShowWindow = 0x0040;
inline constexpr std::uint32_t kSwpHideWindow = 0x0080;

inline constexpr std::uint32_t kGwChild = 5;  // GetWindow
inline constexpr std::uint32_t kMonitorDefaultToNearest = 2;
inline constexpr std::uint32_t kPmRemove = 1;            // PeekMessageW
inline constexpr std::uint32_t kRdwInvalidate = 0x0001;  // RedrawWindow
inline constexpr std::uint32_t kRdwAllChildren = 0x0080;
inline constexpr std::int32_t kSmCxScreen = 0;  // GetSystemMetrics
inline constexpr std::int32_t kSmCyScreen = 1;
inline constexpr std::int32_t kLogPixelsX = 88;  // GetDeviceCaps
inline constexpr std::int32_t kLogPixelsY = 90;

// MessageBoxW flags and answers.
inline constexpr std::uint32_t kMbOk = 0x00000000;
inline constexpr std::uint32_t kMbIconError = 0x00000010;
inline constexpr std::uint32_t kMbTopMost = 0x00040000;
inline constexpr std::int32_t kIdOk = 1;
inline constexpr std::int32_t kIdCancel = 2;

// Virtual keys.
inline constexpr std::uint16_t kVkShift = 0x10;
inline constexpr std::uint16_t kVkControl = 0x11;
inline constexpr std::uint16_t kVkMenu = 0x12;  // Alt
inline constexpr std::uint16_t kVkF11 = 0x7A;

// A window procedure of the project's own.
class WindowProcedure {
 public:
  virtual std::intptr_t WindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) = 0;

 protected:
  ~WindowProcedure() = default;
};

struct WindowCreation {
  std::uint32_t exStyle = 0;
  std::u16string className;
  std::u16string windowName;
  std::uint32_t style = 0;
  Rect bounds;  // screen coordinates for a top-level window, parent client coordinates for a child
  WindowHandle parent = 0;
  // None: the system's default handling, or the class's own procedure for a
  // class of the system (kEditClass); a system class is never replaced by one of ours.
  WindowProcedure* procedure = nullptr;
};

class WindowManager {
 public:
  virtual ~WindowManager() = default;

  // CreateWindowExW; 0 on failure. The procedure already receives WM_CREATE.
  virtual WindowHandle CreateWindowExW(const WindowCreation& creation) = 0;
  // Destroys the window and its children; WM_DESTROY reaches the window before its children.
  virtual bool DestroyWindow(WindowHandle window) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;

  // GWL_STYLE and GWL_EXSTYLE: the 32-bit style words.
  virtual std::int32_t GetWindowLongW(WindowHandle window, std::int32_t index) = 0;
  virtual std::int32_t SetWindowLongW(WindowHandle window, std::int32_t index, std::int32_t value) = 0;

  // GWL_WNDPROC, kept apart from the style words because a procedure is a
  // pointer, wider than 32 bits on a 64-bit host.
  virtual WindowProcRef GetWindowProcW(WindowHandle window) = 0;
  // Installs `procedure` and answers the one it replaced.
  virtual WindowProcRef SetWindowProcW(WindowHandle window, WindowProcRef procedure) = 0;
  // The GWL_WNDPROC value that runs `procedure`.
  virtual WindowProcRef WindowProcRefOf(WindowProcedure& procedure) = 0;
  virtual std::intptr_t CallWindowProcW(WindowProcRef procedure, WindowHandle window, std::uint32_t message,
                                        std::uintptr_t wParam, std::intptr_t lParam) = 0;
  virtual std::intptr_t DefWindowProcW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam) = 0;

  virtual bool SetWindowTextW(WindowHandle window, std::u16string_view text) = 0;
  virtual std::u16string GetWindowTextW(WindowHandle window) = 0;

  // Outer bounds in screen coordinates.
  virtual bool GetWindowRect(WindowHandle window, Rect& rect) = 0;
  // The client area, origin (0, 0).
  virtual bool GetClientRect(WindowHandle window, Rect& rect) = 0;
  // Position in parent client coordinates for a child, screen coordinates otherwise.
  virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                            std::int32_t cx, std::int32_t cy, std::uint32_t flags) = 0;
  // Grows a client rectangle into the outer rectangle a window of that style needs.
  virtual bool AdjustWindowRectEx(Rect& rect, std::uint32_t style, bool menu, std::uint32_t exStyle) = 0;
  // Answers whether the window was visible before.
  virtual bool ShowWindow(WindowHandle window, std::int32_t command) = 0;
  virtual bool IsWindowVisible(WindowHandle window) = 0;
  // Answers the window that had the focus.
  virtual WindowHandle SetFocus(WindowHandle window) = 0;
  virtual WindowHandle GetFocus() = 0;
  // GetKeyState: the high bit is set while the key is down.
  virtual std::int16_t GetKeyState(std::int32_t virtualKey) = 0;

  virtual MonitorHandle MonitorFromWindow(WindowHandle window, std::uint32_t flags) = 0;
  virtual bool GetMonitorInfoW(MonitorHandle monitor, MonitorInfo& info) = 0;
  virtual std::int32_t GetSystemMetrics(std::int32_t index) = 0;
  // GetDeviceCaps on the screen's device context (GetDC(0)): LOGPIXELSX is
  // the screen's horizontal logical pixels per inch.
  virtual std::int32_t GetDeviceCaps(std::int32_t index) = 0;

  virtual WindowHandle GetWindow(WindowHandle window, std::uint32_t command) = 0;
  // Child of `parent` after `childAfter`, by class and title; nullopt matches
  // any, so an empty title requires the title to be empty.
  virtual WindowHandle FindWindowExW(WindowHandle parent, WindowHandle childAfter,
                                     std::optional<std::u16string_view> className,
                                     std::optional<std::u16string_view> windowName) = 0;
  virtual bool RedrawWindow(WindowHandle window, std::uint32_t flags) = 0;

  // The thread's message queue. A message for window 0 is a thread message.
  virtual bool PostMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) = 0;
  virtual std::intptr_t SendMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
  virtual bool PeekMessageW(Message& message, WindowHandle window, std::uint32_t filterMin,
                            std::uint32_t filterMax, std::uint32_t removeFlags) = 0;
  // > 0 for a message, 0 for WM_QUIT, -1 on error.
  virtual std::int32_t GetMessageW(Message& message, WindowHandle window, std::uint32_t filterMin,
                                   std::uint32_t filterMax) = 0;
  virtual bool TranslateMessage(const Message& message) = 0;
  virtual std::intptr_t DispatchMessageW(const Message& message) = 0;
  virtual void PostQuitMessage(std::int32_t exitCode) = 0;

  // A modal message box; answers the button chosen (kIdOk...).
  virtual std::int32_t MessageBoxW(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                                   std::uint32_t flags) = 0;
};

}  // namespace velmoran::platform
