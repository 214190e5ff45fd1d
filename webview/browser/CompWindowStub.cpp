#include "webview/browser/CompWindowStub.h"

#include "webview/browser/uWVBrowserBase.h"

namespace velmoran::webview {

std::intptr_t TWVCompWindowStub::WindowProc(platform::WindowHandle window, std::uint32_t message,
                                            std::uintptr_t wParam, std::intptr_t lParam) {
  return (FBrowser.*FProcedure)(window, message, wParam, lParam);
}

}  // namespace velmoran::webview
