#pragma once

// Work handed to the host's user-interface thread from any thread: a
// message-only window of the library, created on the thread that first asks
// for a browser, whose window procedure runs each piece of work from the
// thread's own message dispatch. That is how every completion and event of
// this runtime reaches the host, as the published runtime delivers them.

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace velmoran::runtime::chromium {

class UiThreadQueue {
 public:
  explicit UiThreadQueue(HINSTANCE module);
  ~UiThreadQueue();
  UiThreadQueue(const UiThreadQueue&) = delete;
  UiThreadQueue& operator=(const UiThreadQueue&) = delete;

  // Safe from any thread; dropped once the queue is closed.
  void Post(std::function<void()> work);

  // Drops the window and the work not run yet (the library is unloading).
  void Close();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RunOne();

  HINSTANCE module_;
  HWND window_ = nullptr;
  std::mutex mutex_;
  std::deque<std::function<void()>> work_;
};

}  // namespace velmoran::runtime::chromium
