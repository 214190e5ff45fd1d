#pragma once

#include "platform/Environment.h"

namespace velmoran::platform::sim {

class SimEnvironment final : public Environment {
 public:
};

}  // namespace velmoran::platform::sim
