// The Windows executable's entry: the crash handlers first, then the real
// platform and the shared start-up. The system's header stays out of the
// shell; the entry's four arguments are pointer-sized and unused.

#include "app/ShellCrashSources.h"
#include "app/Startup.h"
#include "crash/win32/CrashHandlers.h"
#include "platform/win32/Win32Platform.h"

extern "C" int __stdcall wWinMain(void* /*instance*/, void* /*previous*/, wchar_t* /*commandLine*/,
                                  int /*show*/) {
  velmoran::crash::win32::InstallCrashHandlers(velmoran::app::ShellCrashSources());
  velmoran::platform::win32::Win32Platform platform;
  return velmoran::app::RunVelmoran(platform);
}
