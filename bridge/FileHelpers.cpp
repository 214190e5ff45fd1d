#include "bridge/FileHelpers.h"

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "bridge/BridgeError.h"

namespace velmoran::bridge {
namespace {

using platform::Files;
using platform::Handle;
using platform::kInvalidHandle;

bool IsDirectory(Files& files, std::u16string_view path) {
  const std::uint32_t attributes = files.GetFileAttributesW(path);
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) != 0;
}

// The folder holding a resolved path ("C:\velmoran_pose\A01\x" -> "C:\velmoran_pose\A01").
std::u16string ParentOf(const std::u16string& resolved) {
  const std::size_t slash = resolved.find_last_of(u'\\');
  if (slash == std::u16string::npos || slash < 3) return u"C:\\";
  return resolved.substr(0, slash);
}

// The system's message for an error code without the line break it ends in.
std::u16string SystemMessage(platform::Locale& locale, std::uint32_t error) {
  const std::u16string message = locale.FormatMessageW(error);
  return std::u16string(TrimTrailingSpacesAndControls(message));
}

// The file a capture is written to before it takes the target's place;
// closed and removed on every way out unless it was moved over the target.
class TemporaryFile {
 public:
  TemporaryFile(Files& files, std::u16string path) : files_(files), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    Close();
    if (created_ && !moved_) files_.DeleteFileW(path_);
  }

  // Replaces a temporary left behind by an earlier, interrupted write.
  bool Create() {
    handle_ =
        files_.CreateFileW(path_, platform::kGenericWrite, platform::kFileShareNone, platform::kCreateAlways);
    created_ = handle_ != kInvalidHandle;
    return created_;
  }
  // All of `bytes` in one write, then flushed to the disk, so that the move
  // never puts a file in place whose data is still only in memory.
  bool Write(std::string_view bytes) {
    const auto size = static_cast<std::uint32_t>(bytes.size());
    std::uint32_t written = 0;
    if (size != 0 && (!files_.WriteFile(handle_, bytes.data(), size, written) || written != size))
      return false;
    return files_.FlushFileBuffers(handle_);
  }
  // GetLastError() tells why when it fails.
  bool MoveOver(const std::u16string& target) {
    Close();
    moved_ = files_.MoveFileExW(path_, target,
                                platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough);
    return moved_;
  }

 private:
  void Close() {
    if (handle_ != kInvalidHandle) files_.CloseHandle(handle_);
    handle_ = kInvalidHandle;
  }

  Files& files_;
  std::u16string path_;
  Handle handle_ = kInvalidHandle;
  bool created_ = false;
  bool moved_ = false;
};

}  // namespace

void CheckPathCharacters(std::u16string_view path) {
  for (char16_t c : path) {
    if (c < u' ' || c == u'"' || c == u'<' || c == u'>' || c == u'|' || c == u'*' || c == u'?') {
      throw BridgeError(u"Invalid characters in path");
    }
  }
}

void CheckPathFormat(std::u16string_view path) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] != u':') continue;
    if (i == 1 && IsAsciiLetter(path[0])) continue;
    throw BridgeError(u"The path format is not supported");
  }
}

std::u16string FolderOf(std::u16string_view directory) {
  directory = TrimSpacesAndControls(directory);
  const std::size_t slash = directory.find_last_of(u"\\/");
  if (slash == std::u16string_view::npos) return {};
  return std::u16string(directory.substr(0, slash));
}

std::u16string CombineFolderAndName(std::u16string_view folder, std::u16string_view fileName) {
  const bool rooted =
      (!fileName.empty() && IsPathSeparator(fileName[0])) || (fileName.size() >= 2 && fileName[1] == u':');
  if (rooted) return std::u16string(fileName);
  std::u16string path;
  path.reserve(folder.size() + 1 + fileName.size());
  path.append(folder);
  if (path.empty() || path.back() != u'\\') path.push_back(u'\\');
  path.append(fileName);
  return path;
}

void EnsureDirectory(Files& files, const CapturePath& path) {
  const std::u16string& resolved = path.resolved();
  if (IsDirectory(files, resolved)) return;
  CheckPathCharacters(path.written());
  if (!IsDirectory(files, u"C:\\")) throw BridgeError(u"The drive cannot be found");
  // Checked before the first level is made: otherwise the levels that fit
  // would be created and the capture refused only at the last one.
  if (resolved.size() > platform::kMaxDirectoryPathLength)
    throw BridgeError(std::u16string(kFolderTooLongError));
  // Each level from the capture root down; a refusal shows at the next write.
  for (std::size_t slash = resolved.find(u'\\', 3);; slash = resolved.find(u'\\', slash + 1)) {
    const std::u16string level = resolved.substr(0, slash);
    if (!IsDirectory(files, level)) files.CreateDirectoryW(level);
    if (slash == std::u16string::npos) break;
  }
}

void WriteTextToFolder(platform::Platform& platform, std::u16string_view directory,
                       std::u16string_view fileName, std::u16string_view text) {
  const std::u16string folderText = FolderOf(directory);
  EnsureDirectory(platform.files(), CapturePath(folderText));
  CheckPathCharacters(folderText);
  CheckPathCharacters(fileName);
  const CapturePath file(CombineFolderAndName(folderText, fileName));
  if (!IsDirectory(platform.files(), ParentOf(file.resolved()))) {
    throw BridgeError(u"The specified path was not found");
  }
  WriteFileBytes(platform, file, Utf16ToUtf8(text));
}

std::u16string TemporaryPathFor(const CapturePath& file) {
  const std::u16string& resolved = file.resolved();
  const std::size_t slash = resolved.find_last_of(u'\\');
  // FNV-1a over the name's UTF-16 units.
  std::uint32_t hash = 2166136261U;
  for (const char16_t c : std::u16string_view(resolved).substr(slash + 1)) {
    hash = (hash ^ ToLowerAscii(c)) * 16777619U;
  }
  return resolved.substr(0, slash + 1) + std::u16string(CapturePath::kTemporaryPrefix) + Hex8(hash);
}

void RemoveStaleTemporaries(Files& files, const std::u16string& folder) {
  platform::FindData entry;
  const Handle search =
      files.FindFirstFileW(folder + u"\\" + std::u16string(CapturePath::kTemporaryPrefix) + u"*", entry);
  if (search == kInvalidHandle) return;
  // Collected first: a folder is not changed while it is being listed.
  std::vector<std::u16string> stale;
  do {
    if ((entry.attributes & platform::kFileAttributeDirectory) == 0 &&
        CapturePath::IsTemporaryName(entry.fileName))
      stale.push_back(folder + u"\\" + entry.fileName);
  } while (files.FindNextFileW(search, entry));
  files.FindClose(search);
  // One that another process still holds open is not stale and stays (ERROR_SHARING_VIOLATION).
  for (const std::u16string& path : stale) files.DeleteFileW(path);
}

void WriteFileBytes(platform::Platform& platform, const CapturePath& file, std::string_view bytes) {
  Files& files = platform.files();
  const auto cannotCreate = [&](std::uint32_t error) {
    return BridgeError(u"Cannot create file \"" + file.written() + u"\". " +
                       SystemMessage(platform.locale(), error));
  };
  // The target is opened as a direct write would open it, without emptying
  // it: a file held open by another process, a read-only file, a folder or a
  // missing folder is refused here with the error the system gives for it,
  // before anything is written.
  const Handle target = files.CreateFileW(file.resolved(), platform::kGenericWrite, platform::kFileShareNone,
                                          platform::kOpenExisting);
  if (target == kInvalidHandle) {
    const std::uint32_t error = files.GetLastError();
    if (error != platform::kErrorFileNotFound) throw cannotCreate(error);
  } else {
    files.CloseHandle(target);
  }

  // One write takes at most 4 GiB less one byte.
  if (static_cast<std::uint64_t>(bytes.size()) > std::numeric_limits<std::uint32_t>::max()) {
    throw BridgeError(u"Stream write error");
  }
  RemoveStaleTemporaries(files, ParentOf(file.resolved()));
  TemporaryFile temporary(files, TemporaryPathFor(file));
  if (!temporary.Create()) throw cannotCreate(files.GetLastError());
  if (!temporary.Write(bytes)) throw BridgeError(u"Stream write error");
  if (!temporary.MoveOver(file.resolved())) throw cannotCreate(files.GetLastError());
}

}  // namespace velmoran::bridge
