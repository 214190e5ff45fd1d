#pragma once

// Chromium's X11 window inside the host's window. Wine keeps the X11 window
// behind each of its top-level windows in the window property
// "__wine_x11_whole_window"; the browser's window (found by its X11 class)
// is made a child of it, so it moves, shows and hides with the host, and is
// placed and sized over the host window's client area.

#include <windows.h>

#include <string>

#include "runtime/chromium/win32/UnixShell.h"

namespace velmoran::runtime::chromium {

class EmbeddedWindow {
 public:
  // Finds the browser's window and embeds it in `host`, hidden until sized.
  bool Attach(HWND host, const std::string& windowClass);
  // Moves the browser's window under another host window; none takes it out.
  bool Reparent(HWND host);
  // `bounds` in the host window's client coordinates.
  bool SetBounds(const RECT& bounds);
  bool SetVisible(bool visible);
  bool Focus();

  bool Attached() const { return browserWindow_ != 0; }
  HWND Host() const { return host_; }

 private:
  // The X11 window the browser's window goes into, and where the host's client
  // area begins inside it.
  struct Container {
    unsigned long window = 0;
    POINT origin{};
  };
  Container ContainerOf(HWND host) const;
  bool Place();

  UnixShell helper_;
  HWND host_ = nullptr;
  unsigned long browserWindow_ = 0;
  unsigned long containerWindow_ = 0;
  RECT bounds_{0, 0, 0, 0};
  bool visible_ = true;
};

}  // namespace velmoran::runtime::chromium
