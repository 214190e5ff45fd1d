#include "platform/win32/Win32WindowManager.h"

#include <windows.h>

#include <exception>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"

namespace velmoran::platform::win32 {
namespace {

// GWL_WNDPROC values: a native procedure or one of the project's.
struct ProcEntry {
  WNDPROC native = nullptr;
  WindowProcedure* own = nullptr;
};

// One user-interface thread: plain process-wide tables are enough.
std::vector<ProcEntry>& ProcTable() {
  static std::vector<ProcEntry> table;
  return table;
}
std::map<HWND, WindowProcedure*>& OwnProcedures() {
  static std::map<HWND, WindowProcedure*> procedures;
  return procedures;
}
WindowProcedure* g_pendingProcedure = nullptr;  // the window being created
EscapedExceptionHandler g_escapedExceptionHandler = nullptr;

HWND HwndOf(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle WindowHandleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }

LRESULT OwnWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& procedures = OwnProcedures();
  auto it = procedures.find(window);
  if (it == procedures.end() && g_pendingProcedure != nullptr) {
    it = procedures.emplace(window, g_pendingProcedure).first;
    g_pendingProcedure = nullptr;
  }
  if (it == procedures.end()) return ::DefWindowProcW(window, message, wParam, lParam);
  WindowProcedure* procedure = it->second;
  if (message == WM_NCDESTROY) procedures.erase(it);
  return procedure->WindowProc(WindowHandleOf(window), message, wParam, lParam);
}

// Where the system enters the project's procedures: nothing thrown inside
// leaves through here.
LRESULT CALLBACK SharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return OwnWindowProc(window, message, wParam, lParam);
  } catch (...) {
    if (g_escapedExceptionHandler != nullptr) g_escapedExceptionHandler();
    std::terminate();
  }
}

WindowProcRef RefOf(const ProcEntry& entry) {
  auto& table = ProcTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].native == entry.native && table[i].own == entry.own) return i + 1;
  }
  table.push_back(entry);
  return table.size();
}

void RegisterClassOnce(const std::u16string& className) {
  static std::set<std::u16string> registered;
  if (!registered.insert(className).second) return;
  // A class of the system (the edit control) keeps its own procedure: a
  // class of ours under its name would hide it from the whole program.
  WNDCLASSEXW systemClass{};
  systemClass.cbSize = sizeof(systemClass);
  if (::GetClassInfoExW(nullptr, AsWide(className), &systemClass)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = SharedWindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hIcon = ::LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
  windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = AsWide(className);
  ::RegisterClassExW(&windowClass);
}

Rect FromRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

void SetEscapedExceptionHandler(EscapedExceptionHandler handler) { g_escapedExceptionHandler = handler; }

WindowHandle Win32WindowManager::CreateWindowExW(const WindowCreation& creation) {
  RegisterClassOnce(creation.className);
  g_pendingProcedure = creation.procedure;
  HWND window = ::CreateWindowExW(creation.exStyle, AsWide(creation.className), AsWide(creation.windowName),
                                  creation.style, creation.bounds.left, creation.bounds.top,
                                  creation.bounds.Width(), creation.bounds.Height(), HwndOf(creation.parent),
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
  g_pendingProcedure = nullptr;
  return WindowHandleOf(window);
}

bool Win32WindowManager::DestroyWindow(WindowHandle window) {
  return ::DestroyWindow(HwndOf(window)) != FALSE;
}

bool Win32WindowManager::IsWindow(WindowHandle window) { return ::IsWindow(HwndOf(window)) != FALSE; }

std::int32_t Win32WindowManager::GetWindowLongW(WindowHandle window, std::int32_t index) {
  return ::GetWindowLongW(HwndOf(window), index);
}

std::int32_t Win32WindowManager::SetWindowLongW(WindowHandle window, std::int32_t index, std::int32_t value) {
  return ::SetWindowLongW(HwndOf(window), index, value);
}

WindowProcRef Win32WindowManager::GetWindowProcW(WindowHandle window) {
  auto native = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(HwndOf(window), GWLP_WNDPROC));
  if (native == nullptr) return 0;
  if (native == SharedWindowProc) {
    auto it = OwnProcedures().find(HwndOf(window));
    if (it != OwnProcedures().end()) return RefOf(ProcEntry{nullptr, it->second});
  }
  return RefOf(ProcEntry{native, nullptr});
}

WindowProcRef Win32WindowManager::SetWindowProcW(WindowHandle window, WindowProcRef procedure) {
  auto& table = ProcTable();
  if (procedure == 0 || procedure > table.size() || !IsWindow(window)) return 0;
  const WindowProcRef previous = GetWindowProcW(window);
  const ProcEntry entry = table[procedure - 1];
  if (entry.own != nullptr) {
    OwnProcedures()[HwndOf(window)] = entry.own;
    ::SetWindowLongPtrW(HwndOf(window), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SharedWindowProc));
  } else {
    OwnProcedures().erase(HwndOf(window));
    ::SetWindowLongPtrW(HwndOf(window), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.native));
  }
  return previous;
}

WindowProcRef Win32WindowManager::WindowProcRefOf(WindowProcedure& procedure) {
  return RefOf(ProcEntry{nullptr, &procedure});
}

std::intptr_t Win32WindowManager::CallWindowProcW(WindowProcRef procedure, WindowHandle window,
                                                  std::uint32_t message, std::uintptr_t wParam,
                                                  std::intptr_t lParam) {
  auto& table = ProcTable();
  if (procedure == 0 || procedure > table.size())
    return ::DefWindowProcW(HwndOf(window), message, wParam, lParam);
  const ProcEntry entry = table[procedure - 1];
  if (entry.own != nullptr) return entry.own->WindowProc(window, message, wParam, lParam);
  return ::CallWindowProcW(entry.native, HwndOf(window), message, wParam, lParam);
}

std::intptr_t Win32WindowManager::DefWindowProcW(WindowHandle window, std::uint32_t message,
                                                 std::uintptr_t wParam, std::intptr_t lParam) {
  return ::DefWindowProcW(HwndOf(window), message, wParam, lParam);
}

bool Win32WindowManager::SetWindowTextW(WindowHandle window, std::u16string_view text) {
  const std::u16string copy(text);
  return ::SetWindowTextW(HwndOf(window), AsWide(copy)) != FALSE;
}

std::u16string Win32WindowManager::GetWindowTextW(WindowHandle window) {
  const int length = ::GetWindowTextLengthW(HwndOf(window));
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = ::GetWindowTextW(HwndOf(window), AsWide(text.data()), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

bool Win32WindowManager::GetWindowRect(WindowHandle window, Rect& rect) {
  RECT r{};
  if (!::GetWindowRect(HwndOf(window), &r)) return false;
  rect = FromRect(r);
  return true;
}

bool Win32WindowManager::GetClientRect(WindowHandle window, Rect& rect) {
  RECT r{};
  if (!::GetClientRect(HwndOf(window), &r)) return false;
  rect = FromRect(r);
  return true;
}

bool Win32WindowManager::SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                                      std::int32_t y, std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  return ::SetWindowPos(HwndOf(window), HwndOf(insertAfter), x, y, cx, cy, flags) != FALSE;
}

bool Win32WindowManager::AdjustWindowRectEx(Rect& rect, std::uint32_t style, bool menu,
                                            std::uint32_t exStyle) {
  RECT r{rect.left, rect.top, rect.right, rect.bottom};
  if (!::AdjustWindowRectEx(&r, style, menu ? TRUE : FALSE, exStyle)) return false;
  rect = FromRect(r);
  return true;
}

bool Win32WindowManager::ShowWindow(WindowHandle window, std::int32_t command) {
  return ::ShowWindow(HwndOf(window), command) != FALSE;
}

bool Win32WindowManager::IsWindowVisible(WindowHandle window) {
  return ::IsWindowVisible(HwndOf(window)) != FALSE;
}

WindowHandle Win32WindowManager::SetFocus(WindowHandle window) {
  return WindowHandleOf(::SetFocus(HwndOf(window)));
}

WindowHandle Win32WindowManager::GetFocus() { return WindowHandleOf(::GetFocus()); }

std::int16_t Win32WindowManager::GetKeyState(std::int32_t virtualKey) { return ::GetKeyState(virtualKey); }

MonitorHandle Win32WindowManager::MonitorFromWindow(WindowHandle window, std::uint32_t flags) {
  return reinterpret_cast<MonitorHandle>(::MonitorFromWindow(HwndOf(window), flags));
}

bool Win32WindowManager::GetMonitorInfoW(MonitorHandle monitor, MonitorInfo& info) {
  MONITORINFO native{};
  native.cbSize = sizeof(native);
  if (!::GetMonitorInfoW(reinterpret_cast<HMONITOR>(monitor), &native)) return false;
  info = MonitorInfo{FromRect(native.rcMonitor), FromRect(native.rcWork), native.dwFlags};
  return true;
}

std::int32_t Win32WindowManager::GetSystemMetrics(std::int32_t index) { return ::GetSystemMetrics(index); }

WindowHandle Win32WindowManager::GetWindow(WindowHandle window, std::uint32_t command) {
  return WindowHandleOf(::GetWindow(HwndOf(window), command));
}

WindowHandle Win32WindowManager::FindWindowExW(WindowHandle parent, WindowHandle childAfter,
                                               std::optional<std::u16string_view> className,
                                               std::optional<std::u16string_view> windowName) {
  const std::u16string classText = className ? std::u16string(*className) : std::u16string();
  const std::u16string titleText = windowName ? std::u16string(*windowName) : std::u16string();
  return WindowHandleOf(::FindWindowExW(HwndOf(parent), HwndOf(childAfter),
                                        className ? AsWide(classText) : nullptr,
                                        windowName ? AsWide(titleText) : nullptr));
}

bool Win32WindowManager::RedrawWindow(WindowHandle window, std::uint32_t flags) {
  return ::RedrawWindow(HwndOf(window), nullptr, nullptr, flags) != FALSE;
}

bool Win32WindowManager::PostMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  return ::PostMessageW(HwndOf(window), message, wParam, lParam) != FALSE;
}

std::intptr_t Win32WindowManager::SendMessageW(WindowHandle window, std::uint32_t message,
                                               std::uintptr_t wParam, std::intptr_t lParam) {
  return ::SendMessageW(HwndOf(window), message, wParam, lParam);
}

bool Win32WindowManager::PeekMessageW(Message& message, WindowHandle window, std::uint32_t filterMin,
                                      std::uint32_t filterMax, std::uint32_t removeFlags) {
  MSG native{};
  if (!::PeekMessageW(&native, HwndOf(window), filterMin, filterMax, removeFlags)) return false;
  message = Message{WindowHandleOf(native.hwnd), native.message, native.wParam, native.lParam};
  return true;
}

std::int32_t Win32WindowManager::GetMessageW(Message& message, WindowHandle window, std::uint32_t filterMin,
                                             std::uint32_t filterMax) {
  MSG native{};
  const BOOL result = ::GetMessageW(&native, HwndOf(window), filterMin, filterMax);
  message = Message{WindowHandleOf(native.hwnd), native.message, native.wParam, native.lParam};
  return result > 0 ? 1 : result;
}

bool Win32WindowManager::TranslateMessage(const Message& message) {
  MSG native{};
  native.hwnd = HwndOf(message.hwnd);
  native.message = message.message;
  native.wParam = message.wParam;
  native.lParam = message.lParam;
  return ::TranslateMessage(&native) != FALSE;
}

std::intptr_t Win32WindowManager::DispatchMessageW(const Message& message) {
  MSG native{};
  native.hwnd = HwndOf(message.hwnd);
  native.message = message.message;
  native.wParam = message.wParam;
  native.lParam = message.lParam;
  native.time = static_cast<DWORD>(::GetMessageTime());
  return ::DispatchMessageW(&native);
}

void Win32WindowManager::PostQuitMessage(std::int32_t exitCode) { ::PostQuitMessage(exitCode); }

std::int32_t Win32WindowManager::MessageBoxW(WindowHandle owner, std::u16string_view text,
                                             std::u16string_view caption, std::uint32_t flags) {
  const std::u16string textCopy(text);
  const std::u16string captionCopy(caption);
  return ::MessageBoxW(HwndOf(owner), AsWide(textCopy), AsWide(captionCopy), flags);
}

std::int32_t Win32WindowManager::GetDeviceCaps(std::int32_t index) {
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int value = ::GetDeviceCaps(screen, index);
  ::ReleaseDC(nullptr, screen);
  return value;
}

}  // namespace velmoran::platform::win32
