#pragma once

namespace velmoran::platform {

class Registry {
 public:
  virtual ~Registry() = default;
};

}  // namespace velmoran::platform
