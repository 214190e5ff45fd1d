#pragma once

#include "platform/Files.h"

namespace velmoran::platform::win32 {

class Win32Files final : public Files {
 public:
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
};

}  // namespace velmoran::platform::win32
