#pragma once

namespace velmoran::platform {

class Shell {
 public:
  virtual ~Shell() = default;
};

}  // namespace velmoran::platform
