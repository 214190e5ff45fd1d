#pragma once

// What the crash report tells about the process and the machine: which
// module an address falls in, the loaded modules with their file versions,
// the Windows version and how long the process has run. Each answers empty
// when the system does not tell.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "crash/CrashReportText.h"
#include "crash/win32/DbgHelpLibrary.h"

namespace velmoran::crash::win32 {

// The module and offset of `address`, and the function's name when
// `symbols` is given and its debug information names one.
CodeLocation LocateCode(std::uint64_t address, DbgHelpLibrary* symbols);

// Every module of the process, in the system's order (the executable first).
std::vector<ModuleFacts> LoadedModules();

// "1.2.3.4" from the file's version resource; empty without one.
std::u16string FileVersion(const std::u16string& path);

// "10.0.19045" and the service pack, from ntdll (which, unlike
// GetVersionEx, does not pretend to be an older Windows to programs without a
// manifest), and the Wine version when the system is Wine.
std::u16string WindowsVersion();

std::optional<std::uint64_t> UpTimeMilliseconds();

}  // namespace velmoran::crash::win32
