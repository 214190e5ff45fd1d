#pragma once

// Catches what nothing else handles, on any thread: structured exceptions
// (access violations and the like), std::terminate, the C runtime's
// invalid-parameter and pure-call handlers, and C++ exceptions that escape
// a window procedure. The first crash is reported (a report folder beside
// the executable, then the bug-report window) and ends the process with its
// exception code; a crash while it is being reported ends the process at
// once with the first crash's code; other threads that crash meanwhile wait
// for the end.

#include "crash/CrashSources.h"

namespace velmoran::crash::win32 {

// Call first thing on the user-interface thread: it also notes that thread,
// the executable's path and the working folder a restart starts from.
void InstallCrashHandlers(CrashSources sources);

}  // namespace velmoran::crash::win32
