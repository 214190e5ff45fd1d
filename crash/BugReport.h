#pragma once

// What a crash leaves for the bug-report window: the report folder written
// beside the executable before any window is shown, the text report, and the
// main window's picture as it was when the shell failed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran::crash {

// The files of a report folder ("bugreports\<date-time>\" beside the executable).
inline constexpr std::u16string_view kReportFileName = u"report.txt";
inline constexpr std::u16string_view kMinidumpFileName = u"minidump.dmp";
inline constexpr std::u16string_view kScreenshotFileName = u"screenshot.png";
inline constexpr std::u16string_view kContactFileName = u"contact.txt";

// Rows top to bottom, each pixel 0x00RRGGBB; empty when no picture could be taken.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  bool empty() const { return pixels.empty(); }
};

struct BugReport {
  std::u16string folder;      // full path, without a trailing backslash
  std::u16string reportText;  // the content of report.txt
  Screenshot screenshot;
};

// How the user left the bug-report window.
enum class BugReportChoice { kClose, kRestart };

}  // namespace velmoran::crash
