#pragma once

namespace velmoran::webview {

// Masks the six floating-point exceptions of the calling thread (invalid
// operation, denormal operand, zero divide, overflow, underflow, precision):
// the browser runtime's code runs on this thread and expects them masked.
void MaskFloatingPointExceptions();

}  // namespace velmoran::webview
