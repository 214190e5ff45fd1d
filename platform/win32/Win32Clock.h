#pragma once

#include "platform/Clock.h"

namespace velmoran::platform::win32 {

class Win32Clock final : public Clock {
 public:
  SystemTime GetLocalTime() override;
  std::uint32_t GetTickCount() override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace velmoran::platform::win32
