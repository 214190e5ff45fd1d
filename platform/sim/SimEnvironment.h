#pragma once

#include <map>
#include <string>

#include "platform/Environment.h"

namespace velmoran::platform::sim {

// Environment variables; names are case-insensitive as on Windows.
class SimEnvironment final : public Environment {
 public:
  bool GetEnvironmentVariableW(std::u16string_view name, std::u16string& value) override;

  // Test controls. An empty value still defines the variable.
  void SetVariable(std::u16string_view name, std::u16string value);
  void RemoveVariable(std::u16string_view name);

 private:
  std::map<std::u16string, std::u16string> variables_;  // by lower-case name
};

}  // namespace velmoran::platform::sim
