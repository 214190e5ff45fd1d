#include "runtime/chromium/win32/EmbeddedWindow.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

#include "runtime/chromium/BrowserCommandLine.h"
#include "runtime/chromium/win32/Trace.h"

namespace velmoran::runtime::chromium {

namespace {

constexpr wchar_t kWholeWindowProperty[] = L"__wine_x11_whole_window";
// Long enough for the host to paint and Wine to hand its painting to X11.
// Timer messages come only after the thread's paint messages anyway.
constexpr UINT kRepaintDelayMs = 300;

// The window each pending repaint timer belongs to (user-interface thread only).
std::map<UINT_PTR, EmbeddedWindow*>& RepaintTimers() {
  static std::map<UINT_PTR, EmbeddedWindow*> timers;
  return timers;
}

std::string Id(unsigned long window) { return std::to_string(window); }

}  // namespace

EmbeddedWindow::~EmbeddedWindow() {
  if (repaintTimer_ != 0) {
    ::KillTimer(nullptr, repaintTimer_);
    RepaintTimers().erase(repaintTimer_);
  }
}

EmbeddedWindow::Container EmbeddedWindow::ContainerOf(HWND host) {
  Container container;
  if (host == nullptr) return container;
  // Wine gives child windows no X11 window of their own: the top-level
  // window's holds them.
  HWND owner = host;
  while (owner != nullptr && ::GetPropW(owner, kWholeWindowProperty) == nullptr) owner = ::GetParent(owner);
  if (owner == nullptr) return container;
  container.window =
      static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(::GetPropW(owner, kWholeWindowProperty)));
  // Where that X11 window starts depends on who draws the frame: under a
  // window manager that draws it, at the client area; when Wine draws the
  // caption and border itself, at the window's outer corner. X11 knows; the
  // host's client area is placed relative to that (screen and root
  // coordinates are the same without Wine's virtual desktop).
  POINT hostOrigin{0, 0};
  ::ClientToScreen(host, &hostOrigin);
  POINT windowOrigin{0, 0};
  ::ClientToScreen(owner, &windowOrigin);
  const std::optional<std::string> geometry =
      helper_.Run("xdotool getwindowgeometry --shell " + Id(container.window) + " | sed -n 's/^[XY]=//p'");
  if (geometry) {
    std::istringstream numbers(*geometry);
    long x = 0;
    long y = 0;
    if (numbers >> x >> y) windowOrigin = {x, y};
  }
  container.origin = {hostOrigin.x - windowOrigin.x, hostOrigin.y - windowOrigin.y};
  return container;
}

bool EmbeddedWindow::Attach(HWND host, const std::string& windowClass) {
  if (!helper_.Start()) {
    Trace("no Unix shell");
    return false;
  }
  // The browser maps its window shortly after it starts; wait for it, within reason.
  const std::optional<std::string> found =
      helper_.Run("timeout 20 xdotool search --sync --onlyvisible --class " +
                      ShellQuoted("^" + windowClass + "$") + " | head -n 1",
                  30000);
  Trace("browser window: " + found.value_or("(no answer)"));
  if (!found) return false;
  browserWindow_ = std::strtoul(found->c_str(), nullptr, 10);
  if (browserWindow_ == 0) return false;
  return Reparent(host);
}

bool EmbeddedWindow::Reparent(HWND host) {
  if (!Attached()) return false;
  host_ = host;
  const Container container = ContainerOf(host);
  std::ostringstream command;
  // Unmapped first, and given time: the window manager lets go of a window by
  // moving it back to the root, which must not undo the move into the host.
  const std::string browser = Id(browserWindow_);
  command << "xdotool windowunmap --sync " << browser << "; sleep 0.3; ";
  if (container.window != 0) {
    command << "for i in 1 2 3 4 5; do xdotool windowreparent " << browser << " " << Id(container.window)
            << "; sleep 0.1; xwininfo -children -id " << browser << " | grep -q 'Parent window id: "
            << "0x' && [ \"$(xwininfo -children -id " << browser
            << " | sed -n 's/.*Parent window id: \\(0x[0-9a-f]*\\).*/\\1/p')\" = \"$(printf '0x%x' "
            << Id(container.window) << ")\" ] && break; done";
  }
  containerWindow_ = container.window;
  Trace(command.str());
  if (!helper_.Run(command.str())) return false;
  return Place();
}

bool EmbeddedWindow::SetBounds(const RECT& bounds) {
  bounds_ = bounds;
  return Place();
}

bool EmbeddedWindow::SetVisible(bool visible) {
  visible_ = visible;
  return Place();
}

bool EmbeddedWindow::Place() {
  if (!Attached() || containerWindow_ == 0) return false;
  const Container container = ContainerOf(host_);
  const long width = bounds_.right - bounds_.left;
  const long height = bounds_.bottom - bounds_.top;
  std::ostringstream command;
  command << "xdotool";
  if (!visible_ || width <= 0 || height <= 0) {
    command << " windowunmap " << Id(browserWindow_);
  } else {
    command << " windowmove " << Id(browserWindow_) << " " << container.origin.x + bounds_.left << " "
            << container.origin.y + bounds_.top << " windowsize " << Id(browserWindow_) << " " << width << " "
            << height << " windowmap " << Id(browserWindow_);
  }
  Trace(command.str());
  if (!helper_.Run(command.str())) return false;
  if (visible_ && width > 0 && height > 0) RepaintSoon();
  return true;
}

void EmbeddedWindow::RepaintSoon() {
  // One repaint after the last of several changes in a row.
  if (repaintTimer_ != 0) {
    ::KillTimer(nullptr, repaintTimer_);
    RepaintTimers().erase(repaintTimer_);
  }
  repaintTimer_ = ::SetTimer(nullptr, 0, kRepaintDelayMs, &EmbeddedWindow::RepaintTimer);
  if (repaintTimer_ != 0) RepaintTimers()[repaintTimer_] = this;
}

void CALLBACK EmbeddedWindow::RepaintTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  const auto found = RepaintTimers().find(timer);
  if (found == RepaintTimers().end()) return;
  EmbeddedWindow* window = found->second;
  RepaintTimers().erase(found);
  window->repaintTimer_ = 0;
  if (window->visible_ && window->repaint_) {
    Trace("repaint the page");
    window->repaint_();
  }
}

bool EmbeddedWindow::Focus() {
  if (!Attached()) return false;
  return helper_.Run("xdotool windowfocus " + Id(browserWindow_)).has_value();
}

}  // namespace velmoran::runtime::chromium
