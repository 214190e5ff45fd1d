#pragma once

// Facts about the running process.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace velmoran::platform {

inline constexpr std::uint32_t kAppModelErrorNoApplication = 15703;  // APPMODEL_ERROR_NO_APPLICATION

// One package of the process's package graph (PACKAGE_INFO, the parts read here).
struct PackageInfo {
  std::u16string familyName;
  std::u16string installPath;
  std::uint16_t versionMajor = 0;
  std::uint16_t versionMinor = 0;
  std::uint16_t versionBuild = 0;
  std::uint16_t versionRevision = 0;
};

struct WindowsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
};

class Process {
 public:
  virtual ~Process() = default;

  // GetModuleFileNameW for the process's own executable into a buffer of
  // `capacity` characters (terminator included). False when the path did not
  // fit; `path` then holds the truncated text as the system leaves it.
  virtual bool GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) = 0;

  // GetCurrentApplicationUserModelId (Kernel32.dll, Windows 8 and later).
  // `length` is the room the caller offers in characters, terminator
  // included; when it is too small (0 asks for the size) the answer is
  // ERROR_INSUFFICIENT_BUFFER (122) with the needed length in `length`;
  // otherwise 0 with the id. A process without an application identity
  // answers APPMODEL_ERROR_NO_APPLICATION; a system without the function
  // answers ERROR_PROC_NOT_FOUND.
  virtual std::uint32_t GetCurrentApplicationUserModelId(std::uint32_t& length, std::u16string& id) = 0;

  // GetCurrentProcessExplicitAppUserModelID (shell32.dll, Windows 7 and later):
  // the HRESULT, and the id the process set for itself when it succeeds. The
  // system's task-memory copy of the text is released before answering.
  virtual std::int32_t GetCurrentProcessExplicitAppUserModelID(std::u16string& id) = 0;

  // GetCurrentPackageInfo (kernelbase.dll, Windows 8 and later). Asked with no
  // buffer (`packages` null) it answers ERROR_INSUFFICIENT_BUFFER (122) with
  // the size needed in `bufferLength` (bytes), or APPMODEL_ERROR_NO_PACKAGE
  // (15700) for a process without package identity. Asked with a buffer of at
  // least that size it answers 0 and the process's packages. A system without
  // the function answers ERROR_PROC_NOT_FOUND.
  virtual std::uint32_t GetCurrentPackageInfo(std::uint32_t flags, std::uint32_t& bufferLength,
                                              std::vector<PackageInfo>* packages) = 0;

  // The Windows version numbers as the kernel reports them (not the
  // compatibility-shimmed ones of GetVersionExW).
  virtual WindowsVersion RtlGetVersion() = 0;

  // True for a 64-bit process. This program is built as a 32-bit process.
  virtual bool IsProcess64Bit() = 0;
};

}  // namespace velmoran::platform
