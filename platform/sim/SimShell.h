#pragma once

#include "platform/Shell.h"

namespace velmoran::platform::sim {

class SimShell final : public Shell {
 public:
};

}  // namespace velmoran::platform::sim
