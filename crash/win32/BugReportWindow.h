#pragma once

// The bug-report window: shown once the report folder is written, from the
// process that has just failed. It has no owner, registers its own class and
// runs its own modal message loop on the calling thread until the user
// leaves it, so it works from any thread and while the main window's thread
// is stuck; it uses none of the shell's window objects.
//
// Three views of the report: the text report (자세히), the user's contact
// details (연락처, kept as "contact.txt" in the folder whenever the user
// saves or leaves) and the screenshot (화면, with the choice to leave it out
// of the saved archive). 보고서 저장 saves the folder as one .zip where the
// user picks; 다시 시작 and 닫기 end the window with the user's choice.

#include "crash/BugReport.h"

namespace velmoran::crash {

BugReportChoice ShowBugReportWindow(const BugReport& report);

}  // namespace velmoran::crash
