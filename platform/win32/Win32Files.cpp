#include "platform/win32/Win32Files.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/WideText.h"

namespace velmoran::platform::win32 {
namespace {

HANDLE AsHandle(Handle file) { return reinterpret_cast<HANDLE>(file); }

void CopyFound(const WIN32_FIND_DATAW& found, FindData& data) {
  data.attributes = found.dwFileAttributes;
  data.fileName = Utf16Text(found.cFileName);
}

// The whole version resource of a file, or empty (last error set) when it has none.
std::vector<BYTE> VersionResource(std::u16string_view path) {
  const std::wstring name = TerminatedWide(path);
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(name.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<BYTE> data(size);
  if (!::GetFileVersionInfoW(name.c_str(), 0, size, data.data())) return {};
  return data;
}

}  // namespace

std::uint32_t Win32Files::GetFileAttributesW(std::u16string_view path) {
  const auto name = TerminatedWide(path);
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return attributes;
  }
  // GetFileAttributesW describes a symbolic link itself; callers ask about
  // what it points to, so open the target (folders too) and ask the handle.
  const HANDLE target = ::CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (target == INVALID_HANDLE_VALUE) return INVALID_FILE_ATTRIBUTES;
  BY_HANDLE_FILE_INFORMATION info{};
  const BOOL ok = ::GetFileInformationByHandle(target, &info);
  const DWORD error = ::GetLastError();
  ::CloseHandle(target);
  if (!ok) {
    ::SetLastError(error);
    return INVALID_FILE_ATTRIBUTES;
  }
  return info.dwFileAttributes;
}

Handle Win32Files::CreateFileW(std::u16string_view path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                               std::uint32_t creationDisposition) {
  const HANDLE file = ::CreateFileW(TerminatedWide(path).c_str(), desiredAccess, shareMode, nullptr,
                                    creationDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return reinterpret_cast<Handle>(file);
}

bool Win32Files::ReadFile(Handle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& bytesRead) {
  DWORD done = 0;
  const BOOL ok = ::ReadFile(AsHandle(file), buffer, bytesToRead, &done, nullptr);
  bytesRead = done;
  return ok != FALSE;
}

bool Win32Files::WriteFile(Handle file, const void* data, std::uint32_t bytesToWrite,
                           std::uint32_t& bytesWritten) {
  DWORD done = 0;
  const BOOL ok = ::WriteFile(AsHandle(file), data, bytesToWrite, &done, nullptr);
  bytesWritten = done;
  return ok != FALSE;
}

bool Win32Files::SetFilePointerEx(Handle file, std::int64_t distance, std::uint32_t moveMethod,
                                  std::int64_t* newPosition) {
  LARGE_INTEGER move{};
  move.QuadPart = distance;
  LARGE_INTEGER position{};
  const BOOL ok = ::SetFilePointerEx(AsHandle(file), move, &position, moveMethod);
  if (ok && newPosition != nullptr) *newPosition = position.QuadPart;
  return ok != FALSE;
}

bool Win32Files::GetFileSizeEx(Handle file, std::int64_t& size) {
  LARGE_INTEGER value{};
  const BOOL ok = ::GetFileSizeEx(AsHandle(file), &value);
  if (ok) size = value.QuadPart;
  return ok != FALSE;
}

bool Win32Files::SetEndOfFile(Handle file) { return ::SetEndOfFile(AsHandle(file)) != FALSE; }

bool Win32Files::CloseHandle(Handle file) { return ::CloseHandle(AsHandle(file)) != FALSE; }

bool Win32Files::FlushFileBuffers(Handle file) { return ::FlushFileBuffers(AsHandle(file)) != FALSE; }

bool Win32Files::MoveFileExW(std::u16string_view existingPath, std::u16string_view newPath,
                             std::uint32_t flags) {
  return ::MoveFileExW(TerminatedWide(existingPath).c_str(), TerminatedWide(newPath).c_str(), flags) != FALSE;
}

bool Win32Files::DeleteFileW(std::u16string_view path) {
  return ::DeleteFileW(TerminatedWide(path).c_str()) != FALSE;
}

Handle Win32Files::FindFirstFileW(std::u16string_view pattern, FindData& data) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(TerminatedWide(pattern).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) CopyFound(found, data);
  return reinterpret_cast<Handle>(search);
}

bool Win32Files::FindNextFileW(Handle search, FindData& data) {
  WIN32_FIND_DATAW found{};
  if (!::FindNextFileW(AsHandle(search), &found)) return false;
  CopyFound(found, data);
  return true;
}

bool Win32Files::FindClose(Handle search) { return ::FindClose(AsHandle(search)) != FALSE; }

bool Win32Files::CreateDirectoryW(std::u16string_view path) {
  return ::CreateDirectoryW(TerminatedWide(path).c_str(), nullptr) != FALSE;
}

std::u16string Win32Files::GetCurrentDirectoryW() {
  const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring buffer(size, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(size, buffer.data());
  if (length == 0 || length >= size) return {};
  return Utf16Text(buffer.data(), length);
}

bool Win32Files::SetCurrentDirectoryW(std::u16string_view path) {
  return ::SetCurrentDirectoryW(TerminatedWide(path).c_str()) != FALSE;
}

bool Win32Files::GetFileVersionFixed(std::u16string_view path, std::uint32_t& versionMS,
                                     std::uint32_t& versionLS) {
  std::vector<BYTE> data = VersionResource(path);
  if (data.empty()) return false;
  void* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(data.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
    return false;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  versionMS = fixed->dwFileVersionMS;
  versionLS = fixed->dwFileVersionLS;
  return true;
}

bool Win32Files::GetFileVersionString(std::u16string_view path, std::u16string_view subBlock,
                                      std::u16string& value) {
  std::vector<BYTE> data = VersionResource(path);
  if (data.empty()) return false;
  void* text = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(data.data(), TerminatedWide(subBlock).c_str(), &text, &length)) return false;
  // The length counts characters and, for most resources, the terminator.
  std::u16string result = Utf16Text(static_cast<const wchar_t*>(text), length);
  while (!result.empty() && result.back() == u'\0') result.pop_back();
  value = std::move(result);
  return true;
}

std::uint32_t Win32Files::GetLastError() { return ::GetLastError(); }

}  // namespace velmoran::platform::win32
