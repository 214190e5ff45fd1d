#pragma once

#include "platform/Shell.h"

namespace velmoran::platform::win32 {

class Win32Shell final : public Shell {
 public:
};

}  // namespace velmoran::platform::win32
