#pragma once

// The process's environment variables.

#include <string>
#include <string_view>

namespace velmoran::platform {

class Environment {
 public:
  virtual ~Environment() = default;

  // GetEnvironmentVariableW: true when the variable is defined (its value may
  // be empty); false, with `value` cleared, when it is not.
  virtual bool GetEnvironmentVariableW(std::u16string_view name, std::u16string& value) = 0;
};

}  // namespace velmoran::platform
