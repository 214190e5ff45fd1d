#pragma once

// minidump.dmp: the process as it was when it failed (threads and their
// stacks, the module list, the exception with the failing thread's
// context), for a debugger.

#include <windows.h>

#include <string>

#include "crash/win32/DbgHelpLibrary.h"

namespace velmoran::crash::win32 {

// Writes the dump of this process to `path`; `exception` is the failing
// thread's record and context, `threadId` that thread. Called from another
// thread than the failing one, so the failing thread's stack is written as
// it stands, not while the writer runs on it. Empty on success, otherwise
// why not.
std::u16string WriteMinidump(DbgHelpLibrary& dbghelp, const std::u16string& path, DWORD threadId,
                             EXCEPTION_POINTERS* exception);

}  // namespace velmoran::crash::win32
