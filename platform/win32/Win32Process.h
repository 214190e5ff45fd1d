#pragma once

#include "platform/Process.h"

namespace velmoran::platform::win32 {

class Win32Process final : public Process {
 public:
  bool GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) override;
};

}  // namespace velmoran::platform::win32
