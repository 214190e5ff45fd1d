#pragma once

// The program's entry, shared by the Windows executable and the tests: the
// loader set-up, the application object and its main window, the message
// loop, and the teardown in reverse.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace velmoran::app {

inline constexpr std::u16string_view kApplicationTitle = u"벨모란-VELMORAN";
inline constexpr std::int32_t kRemoteDebuggingPort = 9999;
inline constexpr std::u16string_view kRemoteAllowOrigins = u"*";
inline constexpr std::u16string_view kUserDataSubfolder = u"\\CustomCache";

// The folder of a full path without a trailing backslash, except that a
// drive's root keeps its backslash ("C:\velmoran.exe" gives "C:\").
std::u16string ExecutableFolder(std::u16string_view executablePath);

// The browser's user data folder: the executable's folder + "\CustomCache";
// empty (the runtime's own choice) when the executable path is not known.
std::u16string UserDataFolderFor(platform::Process& process);

// Runs the program to its end and answers the exit code of the quit request.
std::int32_t RunVelmoran(platform::Platform& platform);

}  // namespace velmoran::app
