#include "webview/browser/RuntimeWindowHook.h"

#include "webview/browser/TWVBrowserBase.h"

namespace velmoran::webview {

std::intptr_t RuntimeWindowHook::WindowProc(platform::WindowHandle window, std::uint32_t message,
                                            std::uintptr_t wParam, std::intptr_t lParam) {
  return (browser_.*procedure_)(window, message, wParam, lParam);
}

}  // namespace velmoran::webview
