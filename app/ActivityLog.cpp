#include "app/ActivityLog.h"

#include <limits>
#include <optional>
#include <utility>

namespace velmoran::app {
namespace {

using platform::Files;
using platform::Handle;
using platform::kInvalidHandle;

constexpr std::u16string_view kLogFileName = u"errlog.txt";
constexpr std::u16string_view kOlderLogFileName = u"errlog.1.txt";
constexpr std::u16string_view kSeparator = u":::";
constexpr char kEofMark = 0x1A;

void AppendDigits(std::u16string& out, unsigned value, int minDigits) {
  char16_t digits[8];
  int count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0 && count < 8);
  for (int i = count; i < minDigits; ++i) out.push_back(u'0');
  while (count > 0) out.push_back(digits[--count]);
}

// Closes the handle on every way out, a failed write included.
class OpenLogFile {
 public:
  OpenLogFile(Files& files, Handle handle) : files_(files), handle_(handle) {}
  OpenLogFile(const OpenLogFile&) = delete;
  OpenLogFile& operator=(const OpenLogFile&) = delete;
  ~OpenLogFile() { Close(); }
  bool valid() const { return handle_ != kInvalidHandle; }
  Handle get() const { return handle_; }
  void Close() {
    if (handle_ != kInvalidHandle) files_.CloseHandle(handle_);
    handle_ = kInvalidHandle;
  }

 private:
  Files& files_;
  Handle handle_;
};

// The log file's path: the executable's folder, a backslash, "errlog.txt".
// None when the result exceeds the classic path limit. An executable path
// that does not fit the classic buffer is asked for again in full, so the
// folder is never taken from a path cut off inside a folder name.
std::optional<std::u16string> LogFilePath(platform::Process& process) {
  std::u16string module;
  if (!process.GetModuleFileNameW(ActivityLog::kModulePathCapacity, module) &&
      !process.GetModuleFileNameW(ActivityLog::kLongModulePathCapacity, module)) {
    return std::nullopt;
  }
  const std::size_t slash = module.find_last_of(u'\\');
  if (slash == std::u16string::npos) return std::nullopt;
  std::u16string path = module.substr(0, slash + 1);
  path.append(kLogFileName);
  if (path.size() > platform::kMaxPathLength) return std::nullopt;
  return path;
}

// Cuts the file at the first 0x1A among its last bytes: an end-of-file mark
// left by an old editor would otherwise hide every line written after it.
bool CutEofMark(Files& files, Handle file) {
  std::int64_t size = 0;
  if (!files.GetFileSizeEx(file, size)) return false;
  const std::int64_t window = size < ActivityLog::kEofMarkWindow ? size : ActivityLog::kEofMarkWindow;
  if (window == 0) return true;
  const std::int64_t start = size - window;
  if (!files.SetFilePointerEx(file, start, platform::kFileBegin, nullptr)) return false;
  char tail[ActivityLog::kEofMarkWindow];
  std::uint32_t read = 0;
  if (!files.ReadFile(file, tail, static_cast<std::uint32_t>(window), read)) return false;
  for (std::uint32_t i = 0; i < read; ++i) {
    if (tail[i] != kEofMark) continue;
    if (!files.SetFilePointerEx(file, start + i, platform::kFileBegin, nullptr)) return false;
    return files.SetEndOfFile(file);
  }
  return true;
}

// Moves a log file that `adding` more bytes would take past `cap` to
// "errlog.1.txt" beside it, replacing an older one, so the next open starts
// the file anew; true when it did. The size is asked through a handle without
// data access, which no other process's share mode refuses. When the move is
// refused (the older file held open elsewhere) the file simply grows on:
// a line is never given up for the cap.
bool MoveAsideWhenFull(Files& files, const std::u16string& path, std::uint64_t adding, std::uint64_t cap) {
  OpenLogFile probe(files, files.CreateFileW(path, 0, platform::kFileShareRead | platform::kFileShareWrite,
                                             platform::kOpenExisting));
  std::int64_t size = 0;
  if (!probe.valid() || !files.GetFileSizeEx(probe.get(), size)) return false;
  if (size == 0 || static_cast<std::uint64_t>(size) + adding <= cap) return false;
  probe.Close();
  const std::u16string older = path.substr(0, path.size() - kLogFileName.size()).append(kOlderLogFileName);
  return files.MoveFileExW(path, older, platform::kMoveFileReplaceExisting);
}

}  // namespace

ActivityLog::ActivityLog(platform::Platform& platform, LogView& view, std::uint64_t fileCap)
    : platform_(platform), view_(view), fileCap_(fileCap) {}

std::u16string ActivityLog::Timestamp(const platform::SystemTime& time, std::u16string_view timeSeparator) {
  std::u16string out;
  out.reserve(18 + 2 * timeSeparator.size());
  AppendDigits(out, time.month, 2);
  out.push_back(u'-');
  AppendDigits(out, time.day, 2);
  out.push_back(u' ');
  AppendDigits(out, time.hour, 1);
  out.append(timeSeparator);
  AppendDigits(out, time.minute, 1);
  out.append(timeSeparator);
  AppendDigits(out, time.second, 2);
  out.push_back(u'.');
  AppendDigits(out, time.milliseconds, 3);
  return out;
}

void ActivityLog::logw(std::u16string_view str) noexcept {
  try {
    std::u16string line = Timestamp(platform_.clock().GetLocalTime(), platform_.locale().TimeSeparator());
    line.reserve(line.size() + kSeparator.size() + str.size());
    line.append(kSeparator);
    line.append(str);

    // The file's record is converted first so the view can take the line
    // over without a copy; the view still has the line before the file is
    // touched.
    std::optional<std::string> record;
    try {
      record = FileRecord(line);
    } catch (...) {
      // Out of memory for the converted copy: the view still gets the line.
    }
    if (view_.LineCount() > kMaxViewLines) view_.Clear();
    view_.AddOwnedLine(std::move(line));

    if (record) AppendToFile(std::move(*record));
  } catch (...) {
    // Logging never fails towards its caller; a line that could not be built
    // or stored is simply missing.
  }
}

std::string ActivityLog::FileRecord(std::u16string_view line) {
  platform::Locale& locale = platform_.locale();
  std::string record = locale.WideCharToMultiByte(locale.GetACP(), line);
  record.append("\r\n");
  return record;
}

void ActivityLog::AppendToFile(std::string record) {
  Files& files = platform_.files();
  const std::optional<std::u16string> path = LogFilePath(platform_.process());
  if (!path) return;

  const std::uint32_t attributes = files.GetFileAttributesW(*path);
  bool fileExists =
      attributes != platform::kInvalidFileAttributes && (attributes & platform::kFileAttributeDirectory) == 0;
  if (fileExists && MoveAsideWhenFull(files, *path, record.size(), fileCap_)) fileExists = false;
  // When no file exists yet, open-always rather than create-always: a file
  // that appears in between (another instance logging) is appended to, never
  // truncated.
  OpenLogFile file(files, fileExists
                              ? files.CreateFileW(*path, platform::kGenericRead | platform::kGenericWrite,
                                                  platform::kFileShareRead, platform::kOpenExisting)
                              : files.CreateFileW(*path, platform::kGenericWrite, platform::kFileShareRead,
                                                  platform::kOpenAlways));
  if (!file.valid()) return;
  if (fileExists && !CutEofMark(files, file.get())) return;
  if (!files.SetFilePointerEx(file.get(), 0, platform::kFileEnd, nullptr)) return;

  if (static_cast<std::uint64_t>(record.size()) > std::numeric_limits<std::uint32_t>::max()) return;
  std::uint32_t written = 0;
  files.WriteFile(file.get(), record.data(), static_cast<std::uint32_t>(record.size()), written);
}

}  // namespace velmoran::app
