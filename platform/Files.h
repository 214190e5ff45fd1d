#pragma once

// Files and folders, with the meanings of the Win32 calls of the same names.
// Paths are full Windows paths ("C:\velmoran_pose\A01\1.png"); a failing call
// leaves its reason in GetLastError().

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace velmoran::platform {

inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFF;
inline constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;
inline constexpr std::uint32_t kFileAttributeArchive = 0x20;  // what an ordinary file reports
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;

inline constexpr std::uint32_t kGenericRead = 0x80000000;
inline constexpr std::uint32_t kGenericWrite = 0x40000000;

inline constexpr std::uint32_t kFileShareNone = 0;
inline constexpr std::uint32_t kFileShareRead = 1;
inline constexpr std::uint32_t kFileShareWrite = 2;

// Creation dispositions.
inline constexpr std::uint32_t kCreateNew = 1;
inline constexpr std::uint32_t kCreateAlways = 2;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::uint32_t kOpenAlways = 4;
inline constexpr std::uint32_t kTruncateExisting = 5;

// Move methods of SetFilePointerEx.
inline constexpr std::uint32_t kFileBegin = 0;
inline constexpr std::uint32_t kFileCurrent = 1;
inline constexpr std::uint32_t kFileEnd = 2;

// MoveFileExW flags.
inline constexpr std::uint32_t kMoveFileReplaceExisting = 0x1;
inline constexpr std::uint32_t kMoveFileCopyAllowed = 0x2;
inline constexpr std::uint32_t kMoveFileWriteThrough = 0x8;

// One entry of a folder as FindFirstFileW and FindNextFileW describe it
// (WIN32_FIND_DATAW's dwFileAttributes and cFileName).
struct FindData {
  std::uint32_t attributes = 0;
  std::u16string fileName;  // the name alone, without its folder
};

class Files {
 public:
  virtual ~Files() = default;

  // Attributes of a file or folder (links followed), or kInvalidFileAttributes.
  virtual std::uint32_t GetFileAttributesW(std::u16string_view path) = 0;

  // Opens or creates a file; kInvalidHandle on failure. A folder cannot be
  // opened (ERROR_ACCESS_DENIED). On success GetLastError() is
  // ERROR_ALREADY_EXISTS when CREATE_ALWAYS or OPEN_ALWAYS found the file there.
  virtual Handle CreateFileW(std::u16string_view path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                             std::uint32_t creationDisposition) = 0;
  virtual bool ReadFile(Handle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& bytesRead) = 0;
  virtual bool WriteFile(Handle file, const void* data, std::uint32_t bytesToWrite,
                         std::uint32_t& bytesWritten) = 0;
  virtual bool SetFilePointerEx(Handle file, std::int64_t distance, std::uint32_t moveMethod,
                                std::int64_t* newPosition) = 0;
  virtual bool GetFileSizeEx(Handle file, std::int64_t& size) = 0;
  // Cuts or extends the file at the handle's current position.
  virtual bool SetEndOfFile(Handle file) = 0;
  virtual bool CloseHandle(Handle file) = 0;
  // Hands everything written through the handle to the disk; the handle
  // needs write access (ERROR_ACCESS_DENIED).
  virtual bool FlushFileBuffers(Handle file) = 0;

  // Renames a file (or folder) within its volume. With
  // kMoveFileReplaceExisting an existing file of the new name is replaced in
  // one step, so a reader sees either the old file or the new one; without it
  // an existing name gives ERROR_ALREADY_EXISTS. Replacing fails with
  // ERROR_ACCESS_DENIED when the target is a folder, read-only or open by any
  // handle; moving a file that another handle holds open gives
  // ERROR_SHARING_VIOLATION, a missing source ERROR_FILE_NOT_FOUND.
  // kMoveFileWriteThrough returns only once the rename is on the disk.
  virtual bool MoveFileExW(std::u16string_view existingPath, std::u16string_view newPath,
                           std::uint32_t flags) = 0;
  // Removes a file: ERROR_ACCESS_DENIED for a folder or a read-only file,
  // ERROR_SHARING_VIOLATION while a handle holds it open.
  virtual bool DeleteFileW(std::u16string_view path) = 0;

  // Lists the entries of a folder: `pattern` is the folder's path, a
  // separator and a last name in which "*" stands for any run of characters
  // and "?" for any one ("C:\velmoran_pose\A01\*"), compared ignoring case.
  // Answers a search handle with the first entry in `data`, or kInvalidHandle
  // with ERROR_FILE_NOT_FOUND when nothing matches, ERROR_PATH_NOT_FOUND when
  // the folder is missing. A folder other than a drive's root also lists "."
  // and "..". The order of the entries is the file system's own.
  virtual Handle FindFirstFileW(std::u16string_view pattern, FindData& data) = 0;
  // The next entry; false with ERROR_NO_MORE_FILES after the last.
  virtual bool FindNextFileW(Handle search, FindData& data) = 0;
  // Ends a search (never CloseHandle).
  virtual bool FindClose(Handle search) = 0;

  // Creates one folder; its parent must exist (ERROR_PATH_NOT_FOUND), an
  // existing file or folder of that name gives ERROR_ALREADY_EXISTS.
  virtual bool CreateDirectoryW(std::u16string_view path) = 0;

  virtual std::u16string GetCurrentDirectoryW() = 0;
  virtual bool SetCurrentDirectoryW(std::u16string_view path) = 0;

  // The fixed part of a file's version resource (VS_FIXEDFILEINFO's
  // dwFileVersionMS and dwFileVersionLS); false when the file has none.
  virtual bool GetFileVersionFixed(std::u16string_view path, std::uint32_t& versionMS,
                                   std::uint32_t& versionLS) = 0;
  // One text of a file's version resource, by VerQueryValueW sub-block
  // ("\StringFileInfo\040904B0\ProductVersion"); false when absent.
  virtual bool GetFileVersionString(std::u16string_view path, std::u16string_view subBlock,
                                    std::u16string& value) = 0;

  virtual std::uint32_t GetLastError() = 0;
};

}  // namespace velmoran::platform
