#include "platform/sim/SimFiles.h"

namespace velmoran::platform::sim {

// TODO(platform): the simulated file system.
struct SimFiles::Impl {};

SimFiles::SimFiles(std::filesystem::path root) : impl_(std::make_unique<Impl>()), root_(std::move(root)) {}
SimFiles::~SimFiles() = default;
std::uint32_t SimFiles::GetFileAttributesW(std::u16string_view) { return kInvalidFileAttributes; }
Handle SimFiles::CreateFileW(std::u16string_view, std::uint32_t, std::uint32_t, std::uint32_t) { return kInvalidHandle; }
bool SimFiles::ReadFile(Handle, void*, std::uint32_t, std::uint32_t&) { return false; }
bool SimFiles::WriteFile(Handle, const void*, std::uint32_t, std::uint32_t&) { return false; }
bool SimFiles::SetFilePointerEx(Handle, std::int64_t, std::uint32_t, std::int64_t*) { return false; }
bool SimFiles::GetFileSizeEx(Handle, std::int64_t&) { return false; }
bool SimFiles::SetEndOfFile(Handle) { return false; }
bool SimFiles::CloseHandle(Handle) { return false; }
bool SimFiles::CreateDirectoryW(std::u16string_view) { return false; }
std::u16string SimFiles::GetCurrentDirectoryW() { return u"C:\\"; }
bool SimFiles::SetCurrentDirectoryW(std::u16string_view) { return false; }
bool SimFiles::GetFileVersionFixed(std::u16string_view, std::uint32_t&, std::uint32_t&) { return false; }
bool SimFiles::GetFileVersionString(std::u16string_view, std::u16string_view, std::u16string&) { return false; }
std::uint32_t SimFiles::GetLastError() { return kErrorFileNotFound; }
std::filesystem::path SimFiles::HostPath(std::u16string_view) { return {}; }
void SimFiles::AddDrive(char16_t) {}
void SimFiles::SetDiskSpace(std::uint64_t) {}
void SimFiles::SetVersionResource(std::u16string_view, std::uint32_t, std::uint32_t,
                                  std::map<std::u16string, std::u16string>) {}
std::size_t SimFiles::OpenHandles() const { return 0; }

}  // namespace velmoran::platform::sim
