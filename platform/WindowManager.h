#pragma once

namespace velmoran::platform {

class WindowManager {
 public:
  virtual ~WindowManager() = default;
};

}  // namespace velmoran::platform
