#pragma once

#include "platform/Process.h"

namespace velmoran::platform::win32 {

// The application-model calls are found at run time: the program also runs on
// systems that lack them, where they answer ERROR_PROC_NOT_FOUND.
class Win32Process final : public Process {
 public:
  bool GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) override;
  std::uint32_t GetCurrentApplicationUserModelId(std::uint32_t& length, std::u16string& id) override;
  std::int32_t GetCurrentProcessExplicitAppUserModelID(std::u16string& id) override;
  std::uint32_t GetCurrentPackageInfo(std::uint32_t flags, std::uint32_t& bufferLength,
                                      std::vector<PackageInfo>* packages) override;
  WindowsVersion RtlGetVersion() override;
  bool IsProcess64Bit() override;
};

}  // namespace velmoran::platform::win32
