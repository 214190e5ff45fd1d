#pragma once

// The names a policy or override can address this process by.

#include <string>

#include "platform/Process.h"

namespace velmoran::webview {

// On Windows 8 or later the package application's user model id; when that
// gives nothing, on Windows 7 or later the id the process set for itself;
// otherwise empty.
std::u16string ApplicationUserModelId(platform::Process& process);

// The executable's file name ("velmoran.exe"); empty when the path is unknown.
std::u16string ExecutableFileName(platform::Process& process);

// True for Windows `major`.`minor` or later.
bool IsWindowsVersionAtLeast(platform::Process& process, std::uint32_t major, std::uint32_t minor);

}  // namespace velmoran::webview
