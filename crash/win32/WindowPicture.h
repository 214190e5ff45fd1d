#pragma once

// The main window's picture for the report, copied from what the window
// shows on the screen.

#include <windows.h>

#include <string>

#include "crash/BugReport.h"

namespace velmoran::crash::win32 {

// The window with its frame, as drawn now. A copy of the window's device
// context rather than PrintWindow: PrintWindow asks the window's own thread
// to paint, and that thread may be the one that crashed and now waits for
// this report. Empty, with `error` saying why, when there is no picture.
Screenshot CaptureWindowPicture(HWND window, std::u16string& error);

}  // namespace velmoran::crash::win32
