#pragma once

namespace velmoran::platform {

class Modules {
 public:
  virtual ~Modules() = default;
};

}  // namespace velmoran::platform
