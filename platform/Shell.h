#pragma once

// Processes and the shell, with the meanings of the Win32 calls of the same
// names: the process snapshot and ShellExecuteExW.

#include <array>
#include <cstdint>

#include "platform/Types.h"

namespace velmoran::platform {

inline constexpr std::uint32_t kTh32csSnapProcess = 2;

// The records' sizes in the program's 32-bit layout; callers put them in
// dwSize and cbSize as the system requires.
inline constexpr std::uint32_t kProcessEntry32WSize = 556;
inline constexpr std::uint32_t kShellExecuteInfoWSize = 60;

inline constexpr std::uint32_t kSeeMaskNoCloseProcess = 0x00000040;
inline constexpr std::uint32_t kSeeMaskFlagNoUi = 0x00000400;

// PROCESSENTRY32W, the fields the program reads.
struct ProcessEntry32W {
  std::uint32_t dwSize = 0;
  std::uint32_t th32ProcessID = 0;
  // The image name, ended by a zero character unless it fills all 260.
  std::array<char16_t, 260> szExeFile{};
};

// SHELLEXECUTEINFOW, the fields the program sets and the two it may read.
// Texts are borrowed for the duration of the call; nullptr means none.
struct ShellExecuteInfoW {
  std::uint32_t cbSize = 0;
  std::uint32_t fMask = 0;
  Handle hwnd = 0;
  const char16_t* lpVerb = nullptr;
  const char16_t* lpFile = nullptr;
  const char16_t* lpParameters = nullptr;
  const char16_t* lpDirectory = nullptr;
  std::int32_t nShow = 0;
  Handle hInstApp = 0;  // out
  Handle hProcess = 0;  // out, with SEE_MASK_NOCLOSEPROCESS
};

class Shell {
 public:
  virtual ~Shell() = default;

  // kInvalidHandle on failure.
  virtual Handle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) = 0;
  // False when there is no (further) entry or entry.dwSize is wrong.
  virtual bool Process32FirstW(Handle snapshot, ProcessEntry32W& entry) = 0;
  virtual bool Process32NextW(Handle snapshot, ProcessEntry32W& entry) = 0;
  virtual bool CloseHandle(Handle object) = 0;

  // True when the start succeeded; otherwise GetLastError tells why
  // (ERROR_CANCELLED when the user declined the elevation request).
  virtual bool ShellExecuteExW(ShellExecuteInfoW& info) = 0;
  virtual std::uint32_t GetLastError() = 0;
};

}  // namespace velmoran::platform
