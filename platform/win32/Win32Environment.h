#pragma once

#include "platform/Environment.h"

namespace velmoran::platform::win32 {

class Win32Environment final : public Environment {
 public:
  bool GetEnvironmentVariableW(std::u16string_view name, std::u16string& value) override;
};

}  // namespace velmoran::platform::win32
