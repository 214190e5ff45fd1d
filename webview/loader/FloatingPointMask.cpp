#include "webview/loader/FloatingPointMask.h"

#include <cfenv>
#include <cstdint>

namespace velmoran::webview {

void MaskFloatingPointExceptions() {
#if defined(__i386__) || defined(__x86_64__)
  // The x87 control word and the SSE MXCSR each hold one mask bit per
  // exception; <cfenv> cannot reach the denormal mask, so set them directly.
  // Every processor a 32-bit Windows of today runs on has SSE.
  std::uint16_t x87 = 0;
  __asm__ volatile("fnstcw %0" : "=m"(x87));
  x87 = static_cast<std::uint16_t>(x87 | 0x003F);
  __asm__ volatile("fldcw %0" : : "m"(x87));
  std::uint32_t mxcsr = 0;
  __asm__ volatile("stmxcsr %0" : "=m"(mxcsr));
  mxcsr |= 0x1F80u;
  __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr));
#else
  // Elsewhere the standard's non-stop mode masks every exception the platform has.
  std::fenv_t environment;
  std::feholdexcept(&environment);
#endif
}

}  // namespace velmoran::webview
