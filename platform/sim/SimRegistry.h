#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace velmoran::platform::sim {

// An in-memory registry with the two roots HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE. Key and value names are case-insensitive and keep the
// spelling they were created with; subkeys are listed in the order of their
// upper-case names, as Windows lists them. Every key a call tried to open is recorded, so a
// test can see the order of a search.
class SimRegistry final : public Registry {
 public:
  SimRegistry();
  ~SimRegistry() override;

  std::uint32_t RegOpenKeyExW(Handle parent, std::u16string_view subKey, std::uint32_t samDesired,
                              Handle& key) override;
  std::uint32_t RegQueryValueExW(Handle key, std::u16string_view valueName, std::uint32_t& type,
                                 std::vector<std::uint8_t>& data) override;
  std::uint32_t RegEnumKeyExW(Handle key, std::uint32_t index, std::u16string& name) override;
  std::uint32_t RegCloseKey(Handle key) override;

  // Test controls. `path` is below `root`, its parts separated by "\";
  // missing keys on the way are created.
  void CreateKey(Handle root, std::u16string_view path);
  void SetValue(Handle root, std::u16string_view path, std::u16string_view name, std::uint32_t type,
                std::vector<std::uint8_t> data);
  // A REG_SZ value stored as Windows stores it, with its terminating zero.
  void SetStringValue(Handle root, std::u16string_view path, std::u16string_view name,
                      std::u16string_view text);
  void DeleteKey(Handle root, std::u16string_view path);
  // Opening the key then answers ERROR_ACCESS_DENIED.
  void DenyAccess(Handle root, std::u16string_view path);

  std::size_t OpenKeys() const { return openKeys_.size(); }
  // "HKEY_LOCAL_MACHINE\Software\..." for every RegOpenKeyExW, found or not.
  const std::vector<std::u16string>& OpenAttempts() const { return openAttempts_; }
  void ClearOpenAttempts() { openAttempts_.clear(); }

 private:
  struct Key;
  struct OpenKey {
    std::shared_ptr<Key> key;
    std::u16string path;
  };

  std::shared_ptr<Key> RootKey(Handle root) const;
  std::shared_ptr<Key> Walk(std::shared_ptr<Key> from, std::u16string_view path, bool create);
  std::shared_ptr<Key> KeyOfHandle(Handle handle, std::u16string* path) const;

  std::shared_ptr<Key> currentUser_;
  std::shared_ptr<Key> localMachine_;
  std::map<Handle, OpenKey> openKeys_;
  Handle nextHandle_ = 0x1000;
  std::vector<std::u16string> openAttempts_;
};

}  // namespace velmoran::platform::sim
