#pragma once

// Chromium's X11 window inside the host's window. Wine keeps the X11 window
// behind each of its top-level windows in the window property
// "__wine_x11_whole_window"; the browser's window (found by its X11 class)
// is made a child of it, so it moves, shows and hides with the host, and is
// placed and sized over the host window's client area.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "runtime/chromium/win32/UnixShell.h"

namespace velmoran::runtime::chromium {

class EmbeddedWindow {
 public:
  EmbeddedWindow() = default;
  ~EmbeddedWindow();
  EmbeddedWindow(const EmbeddedWindow&) = delete;
  EmbeddedWindow& operator=(const EmbeddedWindow&) = delete;

  // Finds the browser's window and embeds it in `host`, hidden until sized.
  bool Attach(HWND host, const std::string& windowClass);
  // Moves the browser's window under another host window; none takes it out.
  bool Reparent(HWND host);
  // `bounds` in the host window's client coordinates.
  bool SetBounds(const RECT& bounds);
  bool SetVisible(bool visible);
  bool Focus();

  // What makes the browser draw its whole page again (see RepaintSoon).
  void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }

  bool Attached() const { return browserWindow_ != 0; }
  HWND Host() const { return host_; }

 private:
  // The X11 window the browser's window goes into, and where the host's client
  // area begins inside it.
  struct Container {
    unsigned long window = 0;
    POINT origin{};
  };
  Container ContainerOf(HWND host);
  bool Place();
  // When the host repaints after a move or a resize, Wine may hand its
  // painting of the host's client area to X11 after Chromium has drawn the
  // resized page, over the browser's window; Chromium redraws only what it
  // knows has changed and leaves the rest painted over (after full screen
  // only the camera video, which it keeps redrawing, showed through). Once
  // the host's painting is over, the browser is asked to draw all of its page
  // again. Unmapping and mapping its window would do too, but exposes the
  // host's window under it, which Wine paints again: the same race.
  void RepaintSoon();
  static void CALLBACK RepaintTimer(HWND, UINT, UINT_PTR timer, DWORD);

  UnixShell helper_;
  HWND host_ = nullptr;
  unsigned long browserWindow_ = 0;
  unsigned long containerWindow_ = 0;
  RECT bounds_{0, 0, 0, 0};
  bool visible_ = true;
  UINT_PTR repaintTimer_ = 0;
  std::function<void()> repaint_;
};

}  // namespace velmoran::runtime::chromium
