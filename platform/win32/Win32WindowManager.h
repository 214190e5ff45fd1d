#pragma once

#include "platform/WindowManager.h"

namespace velmoran::platform::win32 {

class Win32WindowManager final : public WindowManager {
 public:
};

}  // namespace velmoran::platform::win32
