#pragma once

// Writes the report folder of a crash: "bugreports\<date>_<time>\" beside
// the executable (or in the temporary folder when that cannot be written),
// holding minidump.dmp, report.txt and screenshot.png.
//
// Order: the dump first, because it is taken from the process as it is and
// holds the most; report.txt second, because composing it needs the most of
// the broken process (its heap, the shell's log, dbghelp's symbols); the
// screenshot last, as the least needed. Every step runs on a thread of its
// own with a time limit: a step that crashes or hangs ends alone, and the
// report says which step failed and why.

#include "crash/BugReport.h"
#include "crash/win32/CrashEvent.h"
#include "crash/win32/CrashHandlers.h"

namespace velmoran::crash::win32 {

BugReport WriteCrashReport(const CrashEvent& event, const CrashSources& sources);

// True on the thread of a report step: a crash there ends only the step
// (EndFailedStep), never the report.
bool IsReportStepThread();
[[noreturn]] void EndFailedStep(DWORD code);

}  // namespace velmoran::crash::win32
