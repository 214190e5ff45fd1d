#include "webview/loader/RegistryKey.h"

namespace velmoran::webview {

bool RegistryKey::OpenForReading(platform::Handle root, std::u16string_view path) {
  Close();
  platform::Handle key = 0;
  if (registry_.RegOpenKeyExW(root, path, platform::kKeyRead, key) != platform::kErrorSuccess) return false;
  key_ = key;
  open_ = true;
  return true;
}

void RegistryKey::Close() {
  if (!open_) return;
  registry_.RegCloseKey(key_);
  open_ = false;
  key_ = 0;
}

bool RegistryKey::ReadText(std::u16string_view valueName, std::u16string& text, bool plainTextOnly) {
  text.clear();
  if (!open_) return false;
  std::uint32_t type = platform::kRegNone;
  std::vector<std::uint8_t> data;
  if (registry_.RegQueryValueExW(key_, valueName, type, data) != platform::kErrorSuccess) return false;
  if (type != platform::kRegSz && (plainTextOnly || type != platform::kRegExpandSz)) return false;
  // The stored bytes need not end in a zero, nor be of even count: read only
  // whole code units and stop at the first zero.
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (unit == u'\0') break;
    text.push_back(unit);
  }
  return true;
}

std::vector<std::u16string> RegistryKey::SubkeyNames() {
  std::vector<std::u16string> names;
  if (!open_) return names;
  std::u16string name;
  for (std::uint32_t index = 0; registry_.RegEnumKeyExW(key_, index, name) == platform::kErrorSuccess;
       ++index) {
    names.push_back(name);
  }
  return names;
}

}  // namespace velmoran::webview
