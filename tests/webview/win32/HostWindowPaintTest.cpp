// The host window never paints over the browser: before the runtime's window
// exists it erases its background in the button-face colour; once that
// window is inside, an erase paints nothing and answers "not erased", and a
// paint request only validates. Proven on the real window manager with a
// real device context, a plain child window standing for the runtime's.

#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/Win32WindowManager.h"
#include "webview/browser/TWVWindowParent.h"

namespace velmoran::test {
namespace {

using webview::TWVWindowParent;

constexpr int kWidth = 200;
constexpr int kHeight = 100;
constexpr COLORREF kUntouched = RGB(1, 2, 3);

// A bitmap in memory the host is asked to erase, filled with a colour no
// system brush has.
class MemoryCanvas {
 public:
  MemoryCanvas() {
    HDC screen = ::GetDC(nullptr);
    dc_ = ::CreateCompatibleDC(screen);
    bitmap_ = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
    ::ReleaseDC(nullptr, screen);
    previous_ = ::SelectObject(dc_, bitmap_);
    HBRUSH brush = ::CreateSolidBrush(kUntouched);
    const RECT all{0, 0, kWidth, kHeight};
    ::FillRect(dc_, &all, brush);
    ::DeleteObject(brush);
  }
  ~MemoryCanvas() {
    ::SelectObject(dc_, previous_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
  }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  HDC Dc() const { return dc_; }
  COLORREF Centre() const { return ::GetPixel(dc_, kWidth / 2, kHeight / 2); }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Every WM_ERASEBKGND the host answered while the recorder was alive, with its answer.
class EraseRecorder {
 public:
  explicit EraseRecorder(HWND host) {
    host_ = host;
    answers_.clear();
    hook_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, Record, nullptr, ::GetCurrentThreadId());
  }
  ~EraseRecorder() { ::UnhookWindowsHookEx(hook_); }
  EraseRecorder(const EraseRecorder&) = delete;
  EraseRecorder& operator=(const EraseRecorder&) = delete;

  const std::vector<LRESULT>& Answers() const { return answers_; }

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == host_ && call->message == WM_ERASEBKGND)
      answers_.push_back(call->lResult);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline HWND host_ = nullptr;
  static inline std::vector<LRESULT> answers_;
  HHOOK hook_ = nullptr;
};

class HostWindowPaintTest : public ::testing::Test {
 protected:
  HostWindowPaintTest() {
    frame_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, kWidth, kHeight, nullptr,
                               nullptr, nullptr, nullptr);
    host_.CreateHandle(reinterpret_cast<platform::WindowHandle>(frame_));
    ::SetWindowPos(Host(), nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(frame_, SW_SHOWNOACTIVATE);
  }
  ~HostWindowPaintTest() override {
    host_.DestroyHandle();
    ::DestroyWindow(frame_);
  }

  HWND Host() const { return reinterpret_cast<HWND>(host_.Handle()); }
  // A window inside the host, as the runtime puts its own there; smaller than
  // the host, as before the host sizes it, so part of the host is left to paint.
  void AddRuntimeWindow() {
    ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth / 2, kHeight / 2, Host(),
                      nullptr, nullptr, nullptr);
    ASSERT_NE(host_.ChildWindowHandle(), 0u);
  }
  LRESULT Erase(const MemoryCanvas& canvas) {
    return ::SendMessageW(Host(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
  }

  platform::win32::Win32WindowManager windows_;
  HWND frame_ = nullptr;
  TWVWindowParent host_{windows_};
};

TEST_F(HostWindowPaintTest, ErasesInTheButtonFaceColourWhileItIsEmpty) {
  const MemoryCanvas canvas;
  EXPECT_NE(Erase(canvas), 0) << "erased";
  EXPECT_EQ(canvas.Centre(), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(HostWindowPaintTest, EraseLeavesEverythingAloneOnceTheRuntimesWindowIsInside) {
  AddRuntimeWindow();
  const MemoryCanvas canvas;
  EXPECT_EQ(Erase(canvas), 0) << "not erased";
  EXPECT_EQ(canvas.Centre(), kUntouched);
}

TEST_F(HostWindowPaintTest, PaintRequestOnlyValidatesOnceTheRuntimesWindowIsInside) {
  AddRuntimeWindow();
  const EraseRecorder recorder(Host());
  ::InvalidateRect(Host(), nullptr, TRUE);
  ::UpdateWindow(Host());
  EXPECT_FALSE(::GetUpdateRect(Host(), nullptr, FALSE)) << "validated";
  EXPECT_EQ(recorder.Answers(), std::vector<LRESULT>{0}) << "the paint's erase was declined";
}

}  // namespace
}  // namespace velmoran::test
