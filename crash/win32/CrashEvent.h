#pragma once

// One crash as the handler that caught it saw it, for the report writer.

#include <windows.h>

#include <string>

#include "crash/win32/StackWalk.h"

namespace velmoran::crash::win32 {

struct CrashEvent {
  DWORD code = 0;                           // also the process's exit code
  EXCEPTION_POINTERS* exception = nullptr;  // the failing thread's record and context
  const char16_t* caughtBy = u"";
  std::u16string detail;  // what a handler without a record knows (the C++ exception's text)
  DWORD threadId = 0;
  HANDLE thread = nullptr;  // the failing thread, for the stack walk
  bool onUserInterfaceThread = false;
  StackBounds stack;
  SYSTEMTIME time{};  // local time of the crash
};

}  // namespace velmoran::crash::win32
