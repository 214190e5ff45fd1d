#pragma once

#include "platform/Registry.h"

namespace velmoran::platform::win32 {

class Win32Registry final : public Registry {
 public:
};

}  // namespace velmoran::platform::win32
