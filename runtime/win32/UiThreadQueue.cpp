#include "runtime/win32/UiThreadQueue.h"

#include <utility>

namespace velmoran::runtime {
namespace {

constexpr UINT kRunWork = WM_APP + 1;

}  // namespace

UiThreadQueue::UiThreadQueue(HINSTANCE module, const wchar_t* className)
    : module_(module), className_(className) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = module_;
  windowClass.lpszClassName = className_;
  ::RegisterClassExW(&windowClass);
  window_ = ::CreateWindowExW(0, className_, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module_, this);
}

UiThreadQueue::~UiThreadQueue() { Close(); }

void UiThreadQueue::Close() {
  HWND window = nullptr;
  std::map<std::uintptr_t, std::function<void()>> dropped;
  {
    std::lock_guard lock(mutex_);
    window = std::exchange(window_, nullptr);
    dropped.swap(waiting_);
  }
  if (window != nullptr) {
    // Destroying the window discards its posted messages and kills its timers.
    ::DestroyWindow(window);
    ::UnregisterClassW(className_, module_);
  }
  // `dropped` goes last, outside the lock: dropping work releases objects
  // whose release may post again.
}

UiThreadQueue::Kept UiThreadQueue::Keep(std::function<void()> work) {
  std::lock_guard lock(mutex_);
  if (window_ == nullptr) return {};
  const std::uintptr_t id = nextId_++;
  waiting_.emplace(id, std::move(work));
  return {id, window_};
}

void UiThreadQueue::Forget(std::uintptr_t id) {
  std::function<void()> dropped;
  std::lock_guard lock(mutex_);
  auto it = waiting_.find(id);
  if (it == waiting_.end()) return;
  dropped = std::move(it->second);
  waiting_.erase(it);
}

void UiThreadQueue::Post(std::function<void()> work) {
  const Kept kept = Keep(std::move(work));
  if (kept.window != nullptr && !::PostMessageW(kept.window, kRunWork, kept.id, 0)) Forget(kept.id);
}

void UiThreadQueue::PostAfter(std::uint32_t milliseconds, std::function<void()> work) {
  const Kept kept = Keep(std::move(work));
  if (kept.window != nullptr && ::SetTimer(kept.window, kept.id, milliseconds, nullptr) == 0) Forget(kept.id);
}

void UiThreadQueue::Run(std::uintptr_t id) {
  std::function<void()> work;
  {
    std::lock_guard lock(mutex_);
    auto it = waiting_.find(id);
    if (it == waiting_.end()) return;
    work = std::move(it->second);
    waiting_.erase(it);
  }
  // Nothing may unwind through the system's message dispatch.
  try {
    work();
  } catch (...) {
  }
}

LRESULT CALLBACK UiThreadQueue::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* queue = reinterpret_cast<UiThreadQueue*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
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

}  // namespace velmoran::runtime
