#pragma once

#include "platform/Environment.h"

namespace velmoran::platform::win32 {

class Win32Environment final : public Environment {
 public:
};

}  // namespace velmoran::platform::win32
