#pragma once

// The shell's one diagnostic channel: `logw` turns a message into one
// timestamped line, adds it to the log view and appends it to "errlog.txt"
// beside the executable. It never fails towards its caller.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/LogView.h"
#include "platform/Platform.h"

namespace velmoran::app {

class ActivityLog {
 public:
  // More lines than this in the view at a call empty it before the new line.
  static constexpr std::size_t kMaxViewLines = 13000;
  // The most text the view holds, in UTF-16 code units (4 MiB): a line that
  // would take the view past it empties the view first, as the line rule
  // does, and a longer line is kept cut to this size, ending in
  // kViewCutMark. Lines can carry whole page messages of megabytes; the file
  // keeps every one of them whole.
  static constexpr std::size_t kViewTextBudget = std::size_t{2} * 1024 * 1024;
  static constexpr std::u16string_view kViewCutMark = u"…";
  // A line goes to the file converted and written this many code units at a
  // time, so a line of megabytes is never held converted as a whole.
  static constexpr std::size_t kRecordPieceUnits = std::size_t{64} * 1024;
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
  // logw with the text that `parts` make together, which is never joined:
  // a line that carries a whole page message costs no copy of it here.
  void logw(std::span<const std::u16string_view> parts) noexcept;

  // "mm-dd h:n:ss.zzz", with the locale's time separator between h, n and ss.
  static std::u16string Timestamp(const platform::SystemTime& time, std::u16string_view timeSeparator);

 private:
  void AddToView(std::u16string_view head, std::span<const std::u16string_view> parts);
  void AppendToFile(std::u16string_view head, std::span<const std::u16string_view> parts);
  void WriteRecord(platform::Handle file, std::u16string_view head,
                   std::span<const std::u16string_view> parts);

  platform::Platform& platform_;
  LogView& view_;
  std::uint64_t fileCap_;
};

}  // namespace velmoran::app
