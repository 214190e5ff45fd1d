#include "platform/win32/Win32Files.h"

// TODO(platform): forward to the system.
namespace velmoran::platform::win32 {
std::uint32_t Win32Files::GetFileAttributesW(std::u16string_view) { return kInvalidFileAttributes; }
Handle Win32Files::CreateFileW(std::u16string_view, std::uint32_t, std::uint32_t, std::uint32_t) { return kInvalidHandle; }
bool Win32Files::ReadFile(Handle, void*, std::uint32_t, std::uint32_t&) { return false; }
bool Win32Files::WriteFile(Handle, const void*, std::uint32_t, std::uint32_t&) { return false; }
bool Win32Files::SetFilePointerEx(Handle, std::int64_t, std::uint32_t, std::int64_t*) { return false; }
bool Win32Files::GetFileSizeEx(Handle, std::int64_t&) { return false; }
bool Win32Files::SetEndOfFile(Handle) { return false; }
bool Win32Files::CloseHandle(Handle) { return false; }
bool Win32Files::CreateDirectoryW(std::u16string_view) { return false; }
std::u16string Win32Files::GetCurrentDirectoryW() { return {}; }
bool Win32Files::SetCurrentDirectoryW(std::u16string_view) { return false; }
bool Win32Files::GetFileVersionFixed(std::u16string_view, std::uint32_t&, std::uint32_t&) { return false; }
bool Win32Files::GetFileVersionString(std::u16string_view, std::u16string_view, std::u16string&) { return false; }
std::uint32_t Win32Files::GetLastError() { return 0; }
}  // namespace velmoran::platform::win32
