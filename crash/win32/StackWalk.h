#pragma once

// The call stack of the failing thread, walked from its context while the
// thread itself waits in the crash handler.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "crash/CrashReportText.h"
#include "crash/win32/DbgHelpLibrary.h"

namespace velmoran::crash::win32 {

// The failing thread's stack as the handler saw it (NT_TIB's limits).
struct StackBounds {
  std::uintptr_t low = 0;   // StackLimit
  std::uintptr_t high = 0;  // StackBase
};

struct WalkedStack {
  std::vector<CodeLocation> frames;  // innermost first
  std::u16string method;
};

// StackWalk64 through dbghelp when it is there and finds more than the
// failing frame; otherwise a walk of the project's own inside `bounds`, which
// never reads outside the stack: on x86 along the chain of saved frame
// pointers (missing functions compiled without one), on x64 through the
// modules' function tables.
WalkedStack WalkStack(DbgHelpLibrary* dbghelp, HANDLE thread, const CONTEXT& context, StackBounds bounds);

}  // namespace velmoran::crash::win32
