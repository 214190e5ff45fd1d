#pragma once

#include "platform/Modules.h"

namespace velmoran::platform::win32 {

class Win32Modules final : public Modules {
 public:
  Handle LoadLibraryW(std::u16string_view fileName) override;
  ProcAddress GetProcAddress(Handle module, std::string_view procName) override;
  bool FreeLibrary(Handle module) override;
  std::uint32_t GetLastError() override;
};

}  // namespace velmoran::platform::win32
