#include "runtime/chromium/win32/UiThreadQueue.h"

#include <utility>

namespace velmoran::runtime::chromium {

namespace {

constexpr wchar_t kClassName[] = L"VelmoranChromiumRuntimeQueue";
constexpr UINT kRunWork = WM_APP + 1;

}  // namespace

UiThreadQueue::UiThreadQueue(HINSTANCE module) : module_(module) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = module_;
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExW(&windowClass);
  window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module_, this);
}

UiThreadQueue::~UiThreadQueue() { Close(); }

void UiThreadQueue::Close() {
  HWND window = nullptr;
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard lock(mutex_);
    window = std::exchange(window_, nullptr);
    dropped.swap(work_);
  }
  if (window != nullptr) {
    ::DestroyWindow(window);
    ::UnregisterClassW(kClassName, module_);
  }
}

void UiThreadQueue::Post(std::function<void()> work) {
  std::lock_guard lock(mutex_);
  if (window_ == nullptr) return;
  work_.push_back(std::move(work));
  // One message per piece of work: each runs from its own dispatch, in order.
  if (!::PostMessageW(window_, kRunWork, 0, 0)) work_.pop_back();
}

void UiThreadQueue::RunOne() {
  std::function<void()> work;
  {
    std::lock_guard lock(mutex_);
    if (work_.empty()) return;
    work = std::move(work_.front());
    work_.pop_front();
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
    queue->RunOne();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velmoran::runtime::chromium
