#pragma once

// The shell's one diagnostic channel: `logw` turns a message into one
// timestamped line, adds it to the log view and appends it to "errlog.txt"
// beside the executable. It never fails towards its caller.

#include <cstdint>
#include <string>
#include <string_view>

#include "app/LogView.h"
#include "platform/Platform.h"

namespace velmoran::app {

class ActivityLog {
 public:
  // More lines than this in the view at a call empty it before the new line.
  static constexpr std::size_t kMaxViewLines = 13000;
  // GetModuleFileNameW's buffer, terminator included (MAX_PATH).
  static constexpr std::uint32_t kModulePathCapacity = 260;
  // The longest path Windows has, for an executable path beyond the classic buffer.
  static constexpr std::uint32_t kLongModulePathCapacity = 32768;
  // How far from the end a 0x1A end-of-file mark is looked for and cut.
  static constexpr std::uint32_t kEofMarkWindow = 128;
  // The size "errlog.txt" may reach: a line that would take it further first
  // moves it to "errlog.1.txt" (replacing the one there) and starts it anew.
  static constexpr std::uint64_t kFileCap = 64ULL * 1024 * 1024;

  ActivityLog(platform::Platform& platform, LogView& view, std::uint64_t fileCap = kFileCap);

  void logw(std::u16string_view str) noexcept;

  // "mm-dd h:n:ss.zzz", with the locale's time separator between h, n and ss.
  static std::u16string Timestamp(const platform::SystemTime& time, std::u16string_view timeSeparator);

 private:
  void AppendToFile(std::string record);
  std::string FileRecord(std::u16string_view line);

  platform::Platform& platform_;
  LogView& view_;
  std::uint64_t fileCap_;
};

}  // namespace velmoran::app
