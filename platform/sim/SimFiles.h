#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "platform/Files.h"

namespace velmoran::platform::sim {

// Windows files on a folder of the host: drive letter X: maps to <root>/X, so
// "C:\velmoran_pose\A01\1.png" is the real file <root>/C/velmoran_pose/A01/1.png
// that a test can open. Windows rules the core depends on are kept: names are
// case-insensitive, a folder is not a file, an open writer refuses another
// writer, paths longer than 259 characters fail, and characters Windows
// refuses in names fail.
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
  bool CreateDirectoryW(std::u16string_view path) override;
  std::u16string GetCurrentDirectoryW() override;
  bool SetCurrentDirectoryW(std::u16string_view path) override;
  bool GetFileVersionFixed(std::u16string_view path, std::uint32_t& versionMS,
                           std::uint32_t& versionLS) override;
  bool GetFileVersionString(std::u16string_view path, std::u16string_view subBlock,
                            std::u16string& value) override;
  std::uint32_t GetLastError() override;

  // The host path a Windows path maps to (case resolved against what exists);
  // empty when the path has no drive or the drive is not mapped.
  std::filesystem::path HostPath(std::u16string_view windowsPath);
  const std::filesystem::path& Root() const { return root_; }

  // Test controls.
  void AddDrive(char16_t letter);  // C: exists from the start
  // Every later write fails as on a full disk once this many bytes were written.
  void SetDiskSpace(std::uint64_t bytes);
  void SetVersionResource(std::u16string_view path, std::uint32_t versionMS, std::uint32_t versionLS,
                          std::map<std::u16string, std::u16string> strings = {});
  std::size_t OpenHandles() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::filesystem::path root_;
};

}  // namespace velmoran::platform::sim
