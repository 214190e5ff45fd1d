#include "platform/sim/SimEnvironment.h"

#include "base/Text.h"

namespace velmoran::platform::sim {

bool SimEnvironment::GetEnvironmentVariableW(std::u16string_view name, std::u16string& value) {
  // Win32 takes terminated strings: whatever follows a NUL is not part of it.
  name = name.substr(0, name.find(u'\0'));
  auto it = variables_.find(ToLowerAscii(name));
  if (it == variables_.end()) {
    value.clear();
    return false;
  }
  value = it->second;
  return true;
}

void SimEnvironment::SetVariable(std::u16string_view name, std::u16string value) {
  variables_[ToLowerAscii(name)] = std::move(value);
}

void SimEnvironment::RemoveVariable(std::u16string_view name) { variables_.erase(ToLowerAscii(name)); }

}  // namespace velmoran::platform::sim
