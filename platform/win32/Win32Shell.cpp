#include "platform/win32/Win32Shell.h"

// clang-format off
#include <windows.h>  // first: the shell headers build on it
#include <shellapi.h>
#include <tlhelp32.h>
// clang-format on

#include <algorithm>

#include "platform/win32/WideText.h"

namespace velmoran::platform::win32 {
namespace {

#if !defined(_WIN64)
static_assert(sizeof(PROCESSENTRY32W) == kProcessEntry32WSize, "PROCESSENTRY32W layout");
static_assert(sizeof(SHELLEXECUTEINFOW) == kShellExecuteInfoWSize, "SHELLEXECUTEINFOW layout");
#endif
static_assert(sizeof(PROCESSENTRY32W::szExeFile) / sizeof(wchar_t) == 260, "szExeFile holds 260 characters");

HANDLE SystemHandleOf(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

// The caller's dwSize is the record size of the program's 32-bit layout; the
// system gets its own record's size, and a wrong one is refused as it would be.
bool Step(Handle snapshot, ProcessEntry32W& entry, bool first) {
  if (entry.dwSize != kProcessEntry32WSize) {
    ::SetLastError(ERROR_BAD_LENGTH);
    return false;
  }
  PROCESSENTRY32W native{};
  native.dwSize = sizeof(native);
  const BOOL found = first ? ::Process32FirstW(SystemHandleOf(snapshot), &native)
                           : ::Process32NextW(SystemHandleOf(snapshot), &native);
  if (!found) return false;
  entry.th32ProcessID = native.th32ProcessID;
  std::transform(std::begin(native.szExeFile), std::end(native.szExeFile), entry.szExeFile.begin(),
                 [](wchar_t c) { return static_cast<char16_t>(c); });
  return true;
}

}  // namespace

Handle Win32Shell::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
  return reinterpret_cast<Handle>(::CreateToolhelp32Snapshot(flags, processId));
}

bool Win32Shell::Process32FirstW(Handle snapshot, ProcessEntry32W& entry) {
  return Step(snapshot, entry, true);
}

bool Win32Shell::Process32NextW(Handle snapshot, ProcessEntry32W& entry) {
  return Step(snapshot, entry, false);
}

bool Win32Shell::CloseHandle(Handle object) { return ::CloseHandle(SystemHandleOf(object)) != FALSE; }

bool Win32Shell::ShellExecuteExW(ShellExecuteInfoW& info) {
  SHELLEXECUTEINFOW native{};
  native.cbSize = info.cbSize == kShellExecuteInfoWSize ? sizeof(native) : info.cbSize;
  native.fMask = info.fMask;
  native.hwnd = reinterpret_cast<HWND>(info.hwnd);
  native.lpVerb = AsWide(info.lpVerb);
  native.lpFile = AsWide(info.lpFile);
  native.lpParameters = AsWide(info.lpParameters);
  native.lpDirectory = AsWide(info.lpDirectory);
  native.nShow = info.nShow;
  const BOOL started = ::ShellExecuteExW(&native);
  info.hInstApp = reinterpret_cast<Handle>(native.hInstApp);
  info.hProcess = reinterpret_cast<Handle>(native.hProcess);
  return started != FALSE;
}

std::uint32_t Win32Shell::GetLastError() { return ::GetLastError(); }

}  // namespace velmoran::platform::win32
