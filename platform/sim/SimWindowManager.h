#pragma once

#include "platform/WindowManager.h"

namespace velmoran::platform::sim {

class SimWindowManager final : public WindowManager {
 public:
};

}  // namespace velmoran::platform::sim
