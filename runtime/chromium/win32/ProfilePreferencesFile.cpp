#include "runtime/chromium/win32/ProfilePreferencesFile.h"

#include <windows.h>

#include <optional>
#include <string>

#include "base/Text.h"
#include "platform/win32/WideText.h"
#include "runtime/chromium/ProfilePreferences.h"
#include "runtime/chromium/win32/Trace.h"

namespace velmoran::runtime::chromium {

namespace {

using platform::win32::AsWide;

// Chromium's own preferences file stays well below this.
constexpr LONGLONG kLargestPreferencesFile = 64LL * 1024 * 1024;

// The file's bytes; empty when there is no file, nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::u16string& path) {
  HANDLE file =
      ::CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
    return std::nullopt;
  }
  std::optional<std::string> text;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file, &size) && size.QuadPart <= kLargestPreferencesFile) {
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (bytes.empty() || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                          read == bytes.size()))
      text = std::move(bytes);
  }
  ::CloseHandle(file);
  return text;
}

// Written beside the file and moved over it, so Chromium never finds half a file.
bool ReplaceWholeFile(const std::u16string& path, const std::string& text) {
  const std::u16string written = path + u".velmoran";
  HANDLE file = ::CreateFileW(AsWide(written), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const bool whole = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
                     done == text.size() && ::FlushFileBuffers(file);
  ::CloseHandle(file);
  if (whole &&
      ::MoveFileExW(AsWide(written), AsWide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  ::DeleteFileW(AsWide(written));
  return false;
}

}  // namespace

void PrepareProfilePreferences(const std::u16string& userDataFolder) {
  const std::u16string path = userDataFolder + u"\\" + kProfilePreferencesFile;
  ::CreateDirectoryW(AsWide(path.substr(0, path.rfind(u'\\'))), nullptr);
  const std::optional<std::string> existing = ReadWholeFile(path);
  if (!existing) {
    Trace("profile preferences not readable: " + Utf16ToUtf8(path));
    return;
  }
  const std::optional<std::string> prepared = PreferencesForEmbedding(*existing);
  if (!prepared) return;
  Trace(ReplaceWholeFile(path, *prepared) ? "profile preferences: translate offer off"
                                          : "profile preferences not written: " + Utf16ToUtf8(path));
}

}  // namespace velmoran::runtime::chromium
