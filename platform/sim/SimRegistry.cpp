#include "platform/sim/SimRegistry.h"

#include "base/Text.h"

namespace velmoran::platform::sim {

struct SimRegistry::Key {
  struct Value {
    std::u16string name;
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;
  };
  std::u16string name;
  bool denied = false;
  // By upper-case name: the order Windows lists them in.
  std::map<std::u16string, std::shared_ptr<Key>> subkeys;
  std::map<std::u16string, Value> values;
};

namespace {

constexpr std::uint32_t kErrorBadPathname = 161;

// Windows orders and compares key names by their upper-case form, so
// "KeyA" comes before "key_b" ('A' before '_'). ASCII letters only here.
std::u16string UpperKey(std::u16string_view name) {
  std::u16string upper(name);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
  }
  return upper;
}

std::vector<std::u16string_view> SplitPath(std::u16string_view path) {
  std::vector<std::u16string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

SimRegistry::SimRegistry()
    : currentUser_(std::make_shared<Key>(Key{u"HKEY_CURRENT_USER", false, {}, {}})),
      localMachine_(std::make_shared<Key>(Key{u"HKEY_LOCAL_MACHINE", false, {}, {}})) {}

SimRegistry::~SimRegistry() = default;

std::shared_ptr<SimRegistry::Key> SimRegistry::RootKey(Handle root) const {
  if (root == kHkeyCurrentUser) return currentUser_;
  if (root == kHkeyLocalMachine) return localMachine_;
  return nullptr;
}

std::shared_ptr<SimRegistry::Key> SimRegistry::KeyOfHandle(Handle handle, std::u16string* path) const {
  if (auto root = RootKey(handle)) {
    if (path != nullptr) *path = root->name;
    return root;
  }
  auto it = openKeys_.find(handle);
  if (it == openKeys_.end()) return nullptr;
  if (path != nullptr) *path = it->second.path;
  return it->second.key;
}

std::shared_ptr<SimRegistry::Key> SimRegistry::Walk(std::shared_ptr<Key> from, std::u16string_view path,
                                                    bool create) {
  std::shared_ptr<Key> key = std::move(from);
  for (std::u16string_view part : SplitPath(path)) {
    const std::u16string upper = UpperKey(part);
    auto it = key->subkeys.find(upper);
    if (it == key->subkeys.end()) {
      if (!create) return nullptr;
      it = key->subkeys.emplace(upper, std::make_shared<Key>(Key{std::u16string(part), false, {}, {}})).first;
    }
    key = it->second;
  }
  return key;
}

std::uint32_t SimRegistry::RegOpenKeyExW(Handle parent, std::u16string_view subKey, std::uint32_t,
                                         Handle& key) {
  // Win32 takes terminated strings: whatever follows a NUL is not part of it.
  subKey = subKey.substr(0, subKey.find(u'\0'));
  std::u16string parentPath;
  std::shared_ptr<Key> from = KeyOfHandle(parent, &parentPath);
  if (!from) return kErrorInvalidHandle;
  std::u16string fullPath = parentPath;
  if (!subKey.empty()) {
    fullPath += u'\\';
    fullPath += subKey;
  }
  openAttempts_.push_back(fullPath);
  // A subkey is relative to its parent: it cannot start at a root.
  if (!subKey.empty() && subKey.front() == u'\\') return kErrorBadPathname;

  std::shared_ptr<Key> found = Walk(from, subKey, false);
  if (!found) return kErrorFileNotFound;
  if (found->denied) return kErrorAccessDenied;
  key = nextHandle_;
  nextHandle_ += 4;
  openKeys_.emplace(key, OpenKey{found, fullPath});
  return kErrorSuccess;
}

std::uint32_t SimRegistry::RegQueryValueExW(Handle key, std::u16string_view valueName, std::uint32_t& type,
                                            std::vector<std::uint8_t>& data) {
  valueName = valueName.substr(0, valueName.find(u'\0'));
  std::shared_ptr<Key> open = KeyOfHandle(key, nullptr);
  if (!open) return kErrorInvalidHandle;
  auto it = open->values.find(ToLowerAscii(valueName));
  if (it == open->values.end()) return kErrorFileNotFound;
  type = it->second.type;
  data = it->second.data;
  return kErrorSuccess;
}

std::uint32_t SimRegistry::RegEnumKeyExW(Handle key, std::uint32_t index, std::u16string& name) {
  std::shared_ptr<Key> open = KeyOfHandle(key, nullptr);
  if (!open) return kErrorInvalidHandle;
  if (index >= open->subkeys.size()) return kErrorNoMoreItems;
  auto it = open->subkeys.begin();
  std::advance(it, index);
  name = it->second->name;
  return kErrorSuccess;
}

std::uint32_t SimRegistry::RegCloseKey(Handle key) {
  if (RootKey(key)) return kErrorSuccess;  // closing a root is allowed and does nothing
  return openKeys_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

void SimRegistry::CreateKey(Handle root, std::u16string_view path) {
  if (auto from = RootKey(root)) Walk(from, path, true);
}

void SimRegistry::SetValue(Handle root, std::u16string_view path, std::u16string_view name,
                           std::uint32_t type, std::vector<std::uint8_t> data) {
  auto from = RootKey(root);
  if (!from) return;
  auto key = Walk(from, path, true);
  key->values[ToLowerAscii(name)] = Key::Value{std::u16string(name), type, std::move(data)};
}

void SimRegistry::SetStringValue(Handle root, std::u16string_view path, std::u16string_view name,
                                 std::u16string_view text) {
  std::vector<std::uint8_t> data;
  data.reserve((text.size() + 1) * 2);
  for (char16_t unit : text) {
    data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    data.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  data.push_back(0);
  data.push_back(0);
  SetValue(root, path, name, kRegSz, std::move(data));
}

void SimRegistry::DeleteKey(Handle root, std::u16string_view path) {
  auto parts = SplitPath(path);
  auto from = RootKey(root);
  if (!from || parts.empty()) return;
  std::u16string parentPath;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) parentPath += std::u16string(parts[i]) + u"\\";
  if (auto parent = Walk(from, parentPath, false)) parent->subkeys.erase(UpperKey(parts.back()));
}

void SimRegistry::DenyAccess(Handle root, std::u16string_view path) {
  auto from = RootKey(root);
  if (!from) return;
  Walk(from, path, true)->denied = true;
}

}  // namespace velmoran::platform::sim
