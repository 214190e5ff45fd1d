#pragma once

#include "platform/Registry.h"

namespace velmoran::platform::sim {

class SimRegistry final : public Registry {
 public:
};

}  // namespace velmoran::platform::sim
