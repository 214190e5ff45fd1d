#pragma once

// The window procedure installed on a hooked runtime window: a callable bound
// to one browser control and to the control's procedure for that window.

#include <cstdint>

#include "platform/WindowManager.h"

namespace velmoran::webview {

class TWVBrowserBase;

class RuntimeWindowHook final : public platform::WindowProcedure {
 public:
  using Procedure = std::intptr_t (TWVBrowserBase::*)(platform::WindowHandle, std::uint32_t, std::uintptr_t,
                                                      std::intptr_t);

  RuntimeWindowHook(TWVBrowserBase& browser, Procedure procedure)
      : browser_(browser), procedure_(procedure) {}
  RuntimeWindowHook(const RuntimeWindowHook&) = delete;
  RuntimeWindowHook& operator=(const RuntimeWindowHook&) = delete;
  ~RuntimeWindowHook() = default;

  std::intptr_t WindowProc(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;

 private:
  TWVBrowserBase& browser_;
  Procedure procedure_;
};

}  // namespace velmoran::webview
