// The Windows executable's entry: the real platform, then the shared start-up.
// The system's header stays out of the shell; the entry's four arguments are
// pointer-sized and unused.

#include "app/Startup.h"
#include "platform/win32/Win32Platform.h"

extern "C" int __stdcall wWinMain(void* /*instance*/, void* /*previous*/, wchar_t* /*commandLine*/,
                                  int /*show*/) {
  velmoran::platform::win32::Win32Platform platform;
  return velmoran::app::RunVelmoran(platform);
}
