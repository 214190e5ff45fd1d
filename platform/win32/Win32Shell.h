#pragma once

#include "platform/Shell.h"

namespace velmoran::platform::win32 {

class Win32Shell final : public Shell {
 public:
  Handle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
  bool Process32FirstW(Handle snapshot, ProcessEntry32W& entry) override;
  bool Process32NextW(Handle snapshot, ProcessEntry32W& entry) override;
  bool CloseHandle(Handle object) override;
  bool ShellExecuteExW(ShellExecuteInfoW& info) override;
  std::uint32_t GetLastError() override;
};

}  // namespace velmoran::platform::win32
