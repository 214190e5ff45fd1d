#pragma once

// The window procedure installed on a hooked runtime window: a callable bound
// to one browser control and to the control's procedure for that window.

#include <cstdint>

#include "platform/WindowManager.h"

namespace velmoran::webview {

class TWVBrowserBase;

class TWVCompWindowStub final : public platform::WindowProcedure {
 public:
  using Procedure = std::intptr_t (TWVBrowserBase::*)(platform::WindowHandle, std::uint32_t, std::uintptr_t,
                                                      std::intptr_t);

  TWVCompWindowStub(TWVBrowserBase& aBrowser, Procedure aProcedure)
      : FBrowser(aBrowser), FProcedure(aProcedure) {}
  TWVCompWindowStub(const TWVCompWindowStub&) = delete;
  TWVCompWindowStub& operator=(const TWVCompWindowStub&) = delete;
  ~TWVCompWindowStub() = default;

  std::intptr_t WindowProc(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;

 private:
  TWVBrowserBase& FBrowser;
  Procedure FProcedure;
};

}  // namespace velmoran::webview
