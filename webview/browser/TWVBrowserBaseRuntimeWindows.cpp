#include "webview/browser/RuntimeWindowHook.h"
#include "webview/browser/TWVBrowserBase.h"
#include "webview/loader/TWVLoader.h"

// The runtime's own windows inside the host: found by class and title after
// every NavigationStarting, and hooked only while the application listens to
// their messages. A hooked window always gets its previous procedure back:
// when another window takes its place, when it is destroyed, and when the
// control goes away.

namespace velmoran::webview {

using namespace platform;

namespace {

constexpr char16_t kWidget0Class[] = u"Chrome_WidgetWin_0";
constexpr char16_t kWidget1Class[] = u"Chrome_WidgetWin_1";
constexpr char16_t kRenderClass[] = u"Chrome_RenderWidgetHostHWND";
constexpr char16_t kRenderTitle[] = u"Chrome Legacy Window";
constexpr char16_t kD3DWindowClass[] = u"Intermediate D3D Window";

}  // namespace

void TWVBrowserBase::UpdateCompWindows() {
  WindowManager& windows = FPlatform.windows();
  std::array<WindowHandle, kCompWindowKinds> found{};
  if (FWindowParentHandle != 0) {
    // The title is matched as an empty text, not left open.
    found[kWidget0] = windows.FindWindowExW(FWindowParentHandle, 0, kWidget0Class, std::u16string_view());
  }
  if (found[kWidget0] != 0) {
    found[kWidget1] = windows.FindWindowExW(found[kWidget0], 0, kWidget1Class, std::nullopt);
  }
  if (found[kWidget1] != 0) {
    found[kRender] = windows.FindWindowExW(found[kWidget1], 0, kRenderClass, kRenderTitle);
    found[kD3DWindow] = windows.FindWindowExW(found[kWidget1], 0, kD3DWindowClass, std::nullopt);
  }
  for (std::size_t kind = 0; kind < kCompWindowKinds; ++kind) {
    ReplaceCompWindow(static_cast<TCompWindowKind>(kind), found[kind]);
  }
}

void TWVBrowserBase::ReplaceCompWindow(TCompWindowKind aKind, WindowHandle aFound) {
  TCompWindow& window = FCompWindows[aKind];
  if (window.FHandle == aFound) return;
  RestoreCompWindow(aKind);
  window.FHandle = aFound;
  if (!CompMsgHandler(aKind) || aFound == 0 || window.FHooked) return;

  static constexpr RuntimeWindowHook::Procedure kProcedures[kCompWindowKinds] = {
      &TWVBrowserBase::Widget0CompWndProc, &TWVBrowserBase::Widget1CompWndProc,
      &TWVBrowserBase::RenderCompWndProc, &TWVBrowserBase::D3DWindowCompWndProc};
  if (!window.FStub) window.FStub = std::make_unique<RuntimeWindowHook>(*this, kProcedures[aKind]);
  WindowManager& windows = FPlatform.windows();
  window.FOldWndPrc = windows.SetWindowProcW(aFound, windows.WindowProcRefOf(*window.FStub));
  window.FHooked = true;
}

void TWVBrowserBase::RestoreCompWindow(TCompWindowKind aKind) {
  TCompWindow& window = FCompWindows[aKind];
  if (!window.FHooked) return;
  WindowManager& windows = FPlatform.windows();
  if (window.FHandle != 0 && windows.IsWindow(window.FHandle))
    windows.SetWindowProcW(window.FHandle, window.FOldWndPrc);
  window.FHooked = false;
  window.FOldWndPrc = 0;
}

void TWVBrowserBase::RestoreAllCompWindows() {
  for (std::size_t kind = 0; kind < kCompWindowKinds; ++kind) {
    RestoreCompWindow(static_cast<TCompWindowKind>(kind));
    FCompWindows[kind].FStub.reset();
  }
}

const TOnCompMsgEvent& TWVBrowserBase::CompMsgHandler(TCompWindowKind aKind) const {
  switch (aKind) {
    case kWidget0:
      return OnWidget0CompMsg;
    case kWidget1:
      return OnWidget1CompMsg;
    case kRender:
      return OnRenderCompMsg;
    default:
      return OnD3DWindowCompMsg;
  }
}

std::intptr_t TWVBrowserBase::CompWndProc(TCompWindowKind aKind, WindowHandle aWindow, std::uint32_t aMsg,
                                          std::uintptr_t aWParam, std::intptr_t aLParam) {
  TCompWindow& window = FCompWindows[aKind];
  WindowManager& windows = FPlatform.windows();
  TWVMessage message{aMsg, aWParam, aLParam, 0};
  // The previous procedure, taken now: a handler may unhook the window while it runs.
  const WindowProcRef previous = window.FOldWndPrc;
  try {
    bool handled = false;
    if (const TOnCompMsgEvent& handler = CompMsgHandler(aKind)) handler(this, message, handled);
    if (!handled) message.Result = windows.CallWindowProcW(previous, aWindow, aMsg, aWParam, aLParam);
    if (aMsg == kWmDestroy && window.FHooked) {
      windows.SetWindowProcW(aWindow, window.FOldWndPrc);
      window.FHooked = false;
      window.FOldWndPrc = 0;
    }
  } catch (...) {
    if (SharedLoaderReRaisesExceptions()) throw;
  }
  return message.Result;
}

std::intptr_t TWVBrowserBase::Widget0CompWndProc(WindowHandle aWindow, std::uint32_t aMsg,
                                                 std::uintptr_t aWParam, std::intptr_t aLParam) {
  return CompWndProc(kWidget0, aWindow, aMsg, aWParam, aLParam);
}

std::intptr_t TWVBrowserBase::Widget1CompWndProc(WindowHandle aWindow, std::uint32_t aMsg,
                                                 std::uintptr_t aWParam, std::intptr_t aLParam) {
  return CompWndProc(kWidget1, aWindow, aMsg, aWParam, aLParam);
}

std::intptr_t TWVBrowserBase::RenderCompWndProc(WindowHandle aWindow, std::uint32_t aMsg,
                                                std::uintptr_t aWParam, std::intptr_t aLParam) {
  return CompWndProc(kRender, aWindow, aMsg, aWParam, aLParam);
}

std::intptr_t TWVBrowserBase::D3DWindowCompWndProc(WindowHandle aWindow, std::uint32_t aMsg,
                                                   std::uintptr_t aWParam, std::intptr_t aLParam) {
  return CompWndProc(kD3DWindow, aWindow, aMsg, aWParam, aLParam);
}

}  // namespace velmoran::webview
