#pragma once

// The bug-report window: modal, with its own message loop and no owner; it
// shows the report's detail, contact and screenshot views, writes
// "contact.txt" into the report folder, saves the folder as a .zip, and
// answers how the user left it.

#include "crash/BugReport.h"

velmoran::crash::BugReportChoice ShowBugReportWindow(const velmoran::crash::BugReport& report);
