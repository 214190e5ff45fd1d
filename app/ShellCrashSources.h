#pragma once

// What a crash report reads from the shell: the log view's newest lines, the
// runtime version the loader found, and the main window for the screenshot.

#include "crash/CrashSources.h"

namespace velmoran::app {

crash::CrashSources ShellCrashSources();

}  // namespace velmoran::app
