#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "platform/Files.h"

namespace velmoran::platform::sim {

// Windows files on a folder of the host: drive letter X: maps to <root>/X, so
// "C:\velmoran_pose\A01\1.png" is the real file <root>/C/velmoran_pose/A01/1.png
// that a test can open. Windows rules the core depends on are kept:
// - a path ends at its first NUL (Win32 takes terminated strings);
// - "\" and "/" separate, repeated separators count once, "." and ".." and
//   relative paths resolve as GetFullPathNameW does (current directory C:\;
//   "X:name" against X:'s current directory, its root when the process's is
//   elsewhere), the final name loses its trailing dots and blanks and an inner
//   name one single trailing dot;
// - names are UTF-16 code units, unpaired surrogates included, and
//   case-insensitive (an existing name is found whatever its case, a new name
//   is created in the case given); see HostNames.h for their host spelling;
// - "name:stream" (or "name:stream:$DATA") in the final name is a stream of
//   the file "name", kept beside it as the host file "name:stream";
//   "name::$DATA" is the file's own content;
// - characters Windows refuses in names fail with ERROR_INVALID_NAME, UNC
//   paths with ERROR_BAD_NETPATH, a full path longer than 259 characters with
//   ERROR_PATH_NOT_FOUND (what CreateFileW reports for an over-long path), a
//   name longer than 255 with ERROR_FILENAME_EXCED_RANGE, and CreateDirectoryW
//   of a path longer than kMaxDirectoryPathLength with ERROR_FILENAME_EXCED_RANGE;
// - a folder is not a file (ERROR_ACCESS_DENIED), a path ending in "\" names
//   a folder (ERROR_INVALID_NAME for a file);
// - share modes hold between all handles on a file, whichever SimFiles or
//   host process holds them (ERROR_SHARING_VIOLATION);
// - a host file without write permission bits is read-only (the attribute
//   FILE_ATTRIBUTE_READONLY, writes refused with ERROR_ACCESS_DENIED), even for root;
// - no handle shares delete access: a file any handle holds open cannot be
//   deleted or moved (ERROR_SHARING_VIOLATION) nor replaced by a move
//   (ERROR_ACCESS_DENIED);
// - a write that does not fit on the disk writes nothing (ERROR_DISK_FULL),
//   as NTFS allocates a write's whole extent before it copies any of it.
// - a search lists the folder's entries in the order of their upper-case
//   names, "." and ".." first, as NTFS does; "*" and "?" are its only
//   wildcards (the system's other forms "<", ">" and "\"" are refused as
//   invalid names, and short 8.3 names are never matched, there being none).
// The form of the whole path is checked before any name is looked up. Not
// simulated: reserved device names (CON, NUL, COM1...) are ordinary names here,
// streams of a folder cannot be made into folders, and a name the host refuses
// for its length in UTF-8 (over 255 bytes) fails with
// ERROR_FILENAME_EXCED_RANGE, moves of streams are refused
// (ERROR_INVALID_PARAMETER), a move to another drive with
// MOVEFILE_COPY_ALLOWED is a host rename, and nothing is ever flushed to the
// host's disk. One thread only, like the shell.
class SimFiles final : public Files {
 public:
  explicit SimFiles(std::filesystem::path root);
  ~SimFiles() override;

  std::uint32_t GetFileAttributesW(std::u16string_view path) override;
  Handle CreateFileW(std::u16string_view path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                     std::uint32_t creationDisposition) override;
  bool ReadFile(Handle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& bytesRead) override;
  bool WriteFile(Handle file, const void* data, std::uint32_t bytesToWrite,
                 std::uint32_t& bytesWritten) override;
  bool SetFilePointerEx(Handle file, std::int64_t distance, std::uint32_t moveMethod,
                        std::int64_t* newPosition) override;
  bool GetFileSizeEx(Handle file, std::int64_t& size) override;
  bool SetEndOfFile(Handle file) override;
  bool CloseHandle(Handle file) override;
  bool FlushFileBuffers(Handle file) override;
  bool MoveFileExW(std::u16string_view existingPath, std::u16string_view newPath,
                   std::uint32_t flags) override;
  bool DeleteFileW(std::u16string_view path) override;
  Handle FindFirstFileW(std::u16string_view pattern, FindData& data) override;
  bool FindNextFileW(Handle search, FindData& data) override;
  bool FindClose(Handle search) override;
  bool CreateDirectoryW(std::u16string_view path) override;
  std::u16string GetCurrentDirectoryW() override;
  bool SetCurrentDirectoryW(std::u16string_view path) override;
  bool GetFileVersionFixed(std::u16string_view path, std::uint32_t& versionMS,
                           std::uint32_t& versionLS) override;
  bool GetFileVersionString(std::u16string_view path, std::u16string_view subBlock,
                            std::u16string& value) override;
  std::uint32_t GetLastError() override;

  // The host path a Windows path maps to (case resolved against what exists);
  // empty when the path's form is refused or its drive is not mapped.
  std::filesystem::path HostPath(std::u16string_view windowsPath);
  const std::filesystem::path& Root() const { return root_; }

  // Test controls.
  void AddDrive(char16_t letter);  // C: exists from the start
  // Maps a drive letter to any host folder instead of <root>/<letter>.
  void MapDrive(char16_t letter, const std::filesystem::path& hostFolder);
  // From now on, writes fail with ERROR_DISK_FULL once this many more bytes
  // were written in total; the write that would cross the limit writes nothing.
  void SetDiskSpace(std::uint64_t bytes);
  // From now on, FlushFileBuffers fails with `error` (a device that reports
  // a failed delayed write); kErrorSuccess lets it succeed again.
  void SetFlushFailure(std::uint32_t error);
  // Texts are keyed by their VerQueryValueW sub-block
  // ("\StringFileInfo\040904B0\ProductVersion"), compared ignoring case.
  void SetVersionResource(std::u16string_view path, std::uint32_t versionMS, std::uint32_t versionLS,
                          std::map<std::u16string, std::u16string> strings = {});
  // Files open and searches not yet ended.
  std::size_t OpenHandles() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::filesystem::path root_;
};

}  // namespace velmoran::platform::sim
