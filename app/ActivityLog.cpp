#include "app/ActivityLog.h"

#include <algorithm>
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

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

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
  logw(std::span<const std::u16string_view>(&str, 1));
}

void ActivityLog::logw(std::span<const std::u16string_view> parts) noexcept {
  try {
    std::u16string head = Timestamp(platform_.clock().GetLocalTime(), platform_.locale().TimeSeparator());
    head.append(kSeparator);
    try {
      AddToView(head, parts);
    } catch (...) {
      // Out of memory for the view's copy: the file still gets the line.
    }
    AppendToFile(head, parts);
  } catch (...) {
    // Logging never fails towards its caller; a line that could not be built
    // or stored is simply missing.
  }
}

void ActivityLog::AddToView(std::u16string_view head, std::span<const std::u16string_view> parts) {
  std::size_t size = head.size();
  for (const std::u16string_view part : parts) size += part.size();
  const std::size_t kept = std::min(size, kViewTextBudget);
  if (view_.LineCount() > kMaxViewLines || view_.TextSize() + kept > kViewTextBudget) view_.Clear();

  std::u16string line;
  line.reserve(kept);
  line.append(head);
  for (const std::u16string_view part : parts)
    line.append(part.substr(0, kept - std::min(kept, line.size())));
  if (size > kept) {
    // Cut to leave room for the mark, never between the two halves of a
    // surrogate pair.
    line.resize(kept - kViewCutMark.size());
    if (!line.empty() && IsHighSurrogate(line.back())) line.pop_back();
    line.append(kViewCutMark);
  }
  view_.AddOwnedLine(std::move(line));
}

void ActivityLog::AppendToFile(std::u16string_view head, std::span<const std::u16string_view> parts) {
  Files& files = platform_.files();
  const std::optional<std::u16string> path = LogFilePath(platform_.process());
  if (!path) return;

  const std::uint32_t attributes = files.GetFileAttributesW(*path);
  bool fileExists =
      attributes != platform::kInvalidFileAttributes && (attributes & platform::kFileAttributeDirectory) == 0;
  // The record's size before it is converted: one byte per code unit, as
  // ASCII converts (a Korean character takes two bytes for its one unit, so a
  // file may pass the cap by the line's Korean characters).
  std::uint64_t recordSize = head.size() + 2;
  for (const std::u16string_view part : parts) recordSize += part.size();
  if (fileExists && MoveAsideWhenFull(files, *path, recordSize, fileCap_)) fileExists = false;
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
  WriteRecord(file.get(), head, parts);
}

// The line converted to the ANSI code page, then CR LF, written a piece at a
// time: converting a line of megabytes whole would hold it several times
// over. Pieces end between characters, never inside a surrogate pair, and the
// code pages convert character by character, so the bytes are those of the
// whole line converted at once. A failed write ends the record there.
void ActivityLog::WriteRecord(Handle file, std::u16string_view head,
                              std::span<const std::u16string_view> parts) {
  platform::Locale& locale = platform_.locale();
  Files& files = platform_.files();
  const std::uint32_t codePage = locale.GetACP();
  std::size_t size = head.size();
  for (const std::u16string_view part : parts) size += part.size();
  std::u16string piece;
  piece.reserve(std::min(kRecordPieceUnits, size));
  // Converts and writes what `piece` holds: all of it for the last piece,
  // else all but a high surrogate at its end, which waits for its partner.
  const auto write = [&](bool last) {
    std::size_t take = piece.size();
    if (!last && take != 0 && IsHighSurrogate(piece[take - 1])) --take;
    std::string bytes = locale.WideCharToMultiByte(codePage, std::u16string_view(piece).substr(0, take));
    piece.erase(0, take);
    if (last) bytes.append("\r\n");
    std::uint32_t written = 0;
    return bytes.empty() ||
           files.WriteFile(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), written);
  };
  const auto add = [&](std::u16string_view text) {
    while (!text.empty()) {
      const std::size_t taken = std::min(kRecordPieceUnits - piece.size(), text.size());
      piece.append(text.substr(0, taken));
      text.remove_prefix(taken);
      if (piece.size() == kRecordPieceUnits && !write(false)) return false;
    }
    return true;
  };
  if (!add(head)) return;
  for (const std::u16string_view part : parts) {
    if (!add(part)) return;
  }
  write(true);
}

}  // namespace velmoran::app
