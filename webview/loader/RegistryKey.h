#pragma once

// One registry key opened for reading, closed again when the object goes, so
// no lookup can leave a key open whichever way it ends.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace velmoran::webview {

class RegistryKey {
 public:
  explicit RegistryKey(platform::Registry& registry) : registry_(registry) {}
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens `path` below the root (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE) for
  // reading; a key already open here is closed first.
  bool OpenForReading(platform::Handle root, std::u16string_view path);
  void Close();

  // A text value (REG_SZ, or REG_EXPAND_SZ unless `plainTextOnly`), up to its
  // first terminating zero. False when the value is absent or of another type.
  bool ReadText(std::u16string_view valueName, std::u16string& text, bool plainTextOnly = false);

  // The names of the subkeys, in the order the registry lists them.
  std::vector<std::u16string> SubkeyNames();

 private:
  platform::Registry& registry_;
  platform::Handle key_ = 0;
  bool open_ = false;
};

}  // namespace velmoran::webview
