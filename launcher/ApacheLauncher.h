#pragma once

// Makes sure the local web server runs before the browser exists, and picks
// the browser's first address from what it found.

#include <string>
#include <string_view>

#include "launcher/LauncherHost.h"
#include "platform/Platform.h"

namespace velmoran::launcher {

inline constexpr std::u16string_view kApacheExecutable = u"C:\\xampp\\apache\\bin\\httpd.exe";
inline constexpr std::u16string_view kApacheImageName = u"httpd.exe";
inline constexpr std::u16string_view kLaunchVerb = u"runas";
// The loopback host is written "localhost" in every address, the main
// window's resource value included.
inline constexpr std::u16string_view kRunningServerURL = u"http://localhost/www/corvale2/index.html";
inline constexpr std::u16string_view kStartedServerURL = u"http://localhost/www/corvale2/";
inline constexpr std::u16string_view kMissingExecutableText =
    u"Apache 실행 파일이 없습니다. XAMPP를 설치해 주세요.";
inline constexpr std::u16string_view kStartFailedPrefix = u"Apache 실행 실패: ";
inline constexpr std::int32_t kStartWaitMilliseconds = 1000;

// Missing executable: a message box, nothing else. Server running: the page's
// address. Otherwise an elevated start (a refusal is logged), a one-second
// pumped wait and the folder's address.
void RunApacheDirect(platform::Platform& platform, LauncherHost& host);

// True when any process has the image file name "httpd.exe", letter case of
// A to Z aside. A snapshot the system refuses counts as not running.
bool IsApacheRunning(platform::Shell& shell);

// The system's message text without the trailing control characters, blanks
// and full stops the system ends it with.
std::u16string_view TrimSystemMessage(std::u16string_view text);

}  // namespace velmoran::launcher
