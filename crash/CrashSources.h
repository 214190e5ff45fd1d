#pragma once

// What the shell can tell a crash report about itself. Each is called at most
// once, from a helper thread of the reporter, and may find the program half
// broken: a call that crashes or hangs only loses its part of the report.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmoran::crash {

struct CrashSources {
  std::function<std::vector<std::u16string>()> logLines;  // the activity log's newest lines, oldest first
  std::function<std::u16string()> runtimeVersion;         // the browser runtime's version
  std::function<std::uintptr_t()> mainWindow;             // the main window's handle; 0 while there is none
};

}  // namespace velmoran::crash
