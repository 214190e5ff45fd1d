#pragma once

// Work handed to the host's user-interface thread: a message-only window of
// the runtime library, created on the thread that first calls the library,
// whose window procedure runs each piece of work from the thread's own
// message dispatch, never inside the call that posted it. That is how a
// runtime's completions and events reach the host.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace velmoran::runtime {

class UiThreadQueue {
 public:
  // `className` names the window class, one per library.
  UiThreadQueue(HINSTANCE module, const wchar_t* className);
  ~UiThreadQueue();
  UiThreadQueue(const UiThreadQueue&) = delete;
  UiThreadQueue& operator=(const UiThreadQueue&) = delete;

  // Safe from any thread; each piece runs from its own dispatch, in order.
  void Post(std::function<void()> work);
  // From the user-interface thread only (a timer of the window).
  void PostAfter(std::uint32_t milliseconds, std::function<void()> work);

  // Drops the window and the work not run yet: the library is unloading, and
  // nothing may reach its code afterwards. Later posts are dropped too.
  void Close();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Keeps `work` under a fresh id, with the window to post it to; no window
  // when the queue is closed.
  struct Kept {
    std::uintptr_t id = 0;
    HWND window = nullptr;
  };
  Kept Keep(std::function<void()> work);
  void Forget(std::uintptr_t id);
  void Run(std::uintptr_t id);

  HINSTANCE module_;
  const wchar_t* className_;
  std::mutex mutex_;
  HWND window_ = nullptr;
  std::map<std::uintptr_t, std::function<void()>> waiting_;
  std::uintptr_t nextId_ = 1;
};

}  // namespace velmoran::runtime
