// TO BE REPLACED by the real bug-report window: until it is merged, this
// stand-in lets the crash reporter link and behaves as a user who closes the
// window at once. Delete this file (and its line in crash/win32/CMakeLists.txt)
// when crash/win32/BugReportWindow.cpp arrives.

#include "crash/win32/BugReportWindow.h"

velmoran::crash::BugReportChoice ShowBugReportWindow(const velmoran::crash::BugReport& /*report*/) {
  return velmoran::crash::BugReportChoice::kClose;
}
