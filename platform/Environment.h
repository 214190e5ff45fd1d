#pragma once

namespace velmoran::platform {

class Environment {
 public:
  virtual ~Environment() = default;
};

}  // namespace velmoran::platform
