#pragma once

#include "platform/Modules.h"

namespace velmoran::platform::sim {

class SimModules final : public Modules {
 public:
};

}  // namespace velmoran::platform::sim
