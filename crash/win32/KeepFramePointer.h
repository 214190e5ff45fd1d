#pragma once

// For a function that must keep its frame pointer in the optimised build (the
// x86 stack walk follows the chain of saved frame pointers, and
// RtlCaptureContext reads its caller's registers through it), beside
// gnu::noinline: [[gnu::noinline, VELMORAN_KEEP_FRAME_POINTER]].
// GCC's attribute, and the Windows builds are GCC's. Empty where the compiler
// has no such attribute: clang, which reads the sources for clang-tidy, would
// only report it as unknown (an empty entry in an attribute list is allowed).
#if __has_cpp_attribute(gnu::optimize)
#define VELMORAN_KEEP_FRAME_POINTER gnu::optimize("no-omit-frame-pointer")
#else
#define VELMORAN_KEEP_FRAME_POINTER
#endif
