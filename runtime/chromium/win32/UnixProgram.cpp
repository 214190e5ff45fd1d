#include "runtime/chromium/win32/UnixProgram.h"

#include <windows.h>

#include <vector>

#include "base/Text.h"
#include "runtime/chromium/BrowserCommandLine.h"

namespace velmoran::runtime::chromium {

namespace {

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::wstring ZDrivePath(std::string_view unixPath) {
  std::u16string path = u"Z:" + Utf8ToUtf16(unixPath);
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
  }
  return Wide(path);
}

}  // namespace

bool StartBashScript(const std::string& script) {
  const std::wstring application = ZDrivePath("/bin/bash");
  std::wstring commandLine = Wide(JoinWindowsArguments({u"/bin/bash", u"-c", Utf8ToUtf16(script)}));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
    return false;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

std::optional<std::string> UnixPathOf(std::u16string_view windowsPath) {
  // Wine's own export; absent on Windows.
  using UnixFileName = char*(CDECL*)(const WCHAR*);
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  auto convert = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "wine_get_unix_file_name")));
  if (convert == nullptr) return std::nullopt;
  const std::wstring path = Wide(windowsPath);
  char* unixPath = convert(path.c_str());
  if (unixPath == nullptr) return std::nullopt;
  std::string result(unixPath);
  ::HeapFree(::GetProcessHeap(), 0, unixPath);
  return result;
}

bool UnixFileExists(std::string_view unixPath) {
  const DWORD attributes = ::GetFileAttributesW(ZDrivePath(unixPath).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace velmoran::runtime::chromium
