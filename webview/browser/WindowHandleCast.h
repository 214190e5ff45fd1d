#pragma once

// The runtime's interfaces spell a window handle as HWND, the platform door as
// a plain number; both hold the same value. These two are the only crossing.

#include "platform/WindowManager.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::webview {

inline HWND ToHWND(platform::WindowHandle aHandle) { return reinterpret_cast<HWND>(aHandle); }
inline platform::WindowHandle FromHWND(HWND aHandle) {
  return reinterpret_cast<platform::WindowHandle>(aHandle);
}

}  // namespace velmoran::webview
