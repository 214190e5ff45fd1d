#pragma once

#include "platform/Modules.h"

namespace velmoran::platform::win32 {

class Win32Modules final : public Modules {
 public:
};

}  // namespace velmoran::platform::win32
