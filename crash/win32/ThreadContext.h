#pragma once

// The registers of a thread's context that the crash reporter reads, named
// once for each architecture the shell is built for.

#include <windows.h>

#include <cstdint>

namespace velmoran::crash::win32 {

#if defined(_M_X64) || defined(__x86_64__)
inline constexpr DWORD kImageMachine = IMAGE_FILE_MACHINE_AMD64;
inline std::uint64_t InstructionPointer(const CONTEXT& context) { return context.Rip; }
inline std::uint64_t StackPointer(const CONTEXT& context) { return context.Rsp; }
inline std::uint64_t FramePointer(const CONTEXT& context) { return context.Rbp; }
#elif defined(_M_IX86) || defined(__i386__)
inline constexpr DWORD kImageMachine = IMAGE_FILE_MACHINE_I386;
inline std::uint64_t InstructionPointer(const CONTEXT& context) { return context.Eip; }
inline std::uint64_t StackPointer(const CONTEXT& context) { return context.Esp; }
inline std::uint64_t FramePointer(const CONTEXT& context) { return context.Ebp; }
#else
#error "The crash reporter reads x86 and x64 thread contexts only"
#endif

}  // namespace velmoran::crash::win32
