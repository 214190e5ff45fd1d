#include "runtime/double/win32/MessageWindowQueue.h"

#include <utility>

namespace velmoran::runtime::doubles {
namespace {

constexpr wchar_t kClassName[] = L"VelmoranRuntimeDoubleQueue";
constexpr UINT kRunWork = WM_APP + 1;

}  // namespace

MessageWindowQueue::MessageWindowQueue(HINSTANCE module) : module_(module) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = module_;
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExW(&windowClass);
  window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module_, this);
}

MessageWindowQueue::~MessageWindowQueue() { Close(); }

void MessageWindowQueue::Close() {
  if (window_ != nullptr) {
    // Destroying the window discards its posted messages and kills its timers.
    ::DestroyWindow(window_);
    window_ = nullptr;
    ::UnregisterClassW(kClassName, module_);
  }
  // Moved out first: dropping work releases objects whose release may post.
  std::map<std::uintptr_t, std::function<void()>> dropped = std::move(waiting_);
  waiting_.clear();
}

std::uintptr_t MessageWindowQueue::Keep(std::function<void()> work) {
  const std::uintptr_t id = nextId_++;
  waiting_.emplace(id, std::move(work));
  return id;
}

void MessageWindowQueue::Post(std::function<void()> work) {
  if (window_ == nullptr) return;
  const std::uintptr_t id = Keep(std::move(work));
  if (!::PostMessageW(window_, kRunWork, id, 0)) waiting_.erase(id);
}

void MessageWindowQueue::PostAfter(std::uint32_t milliseconds, std::function<void()> work) {
  if (window_ == nullptr) return;
  const std::uintptr_t id = Keep(std::move(work));
  if (::SetTimer(window_, id, milliseconds, nullptr) == 0) waiting_.erase(id);
}

void MessageWindowQueue::Run(std::uintptr_t id) {
  auto it = waiting_.find(id);
  if (it == waiting_.end()) return;
  std::function<void()> work = std::move(it->second);
  waiting_.erase(it);
  // An exception must not unwind through the system's message dispatch.
  try {
    work();
  } catch (...) {
  }
}

LRESULT CALLBACK MessageWindowQueue::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* queue = reinterpret_cast<MessageWindowQueue*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (queue != nullptr && message == kRunWork) {
    queue->Run(wParam);
    return 0;
  }
  if (queue != nullptr && message == WM_TIMER) {
    ::KillTimer(window, wParam);
    queue->Run(wParam);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velmoran::runtime::doubles
