// The runtime's installer writes its keys in the registry's 32-bit view. A
// 32-bit shell reads them under their own names (on 64-bit Windows the system
// redirects it there); a 64-bit shell reads them only under WOW6432Node, which
// is why the runtime checks look under both names.

#include <windows.h>
#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "platform/win32/Win32Registry.h"

namespace velmoran::test {
namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\VelmoranRegistryViewCheck";

class RegistryViews : public ::testing::Test {
 protected:
  RegistryViews() {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
      const wchar_t version[] = L"1.2.3.4";
      ::RegSetValueExW(key, L"pv", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof(version));
      ::RegCloseKey(key);
    }
  }
  ~RegistryViews() override { ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_32KEY, 0); }

  bool Opens(std::u16string_view key) {
    platform::Handle handle = 0;
    if (registry_.RegOpenKeyExW(platform::kHkeyLocalMachine, key, platform::kKeyRead, handle) != 0)
      return false;
    registry_.RegCloseKey(handle);
    return true;
  }

  platform::win32::Win32Registry registry_;
};

TEST_F(RegistryViews, ThirtyTwoBitViewIsReadUnderItsOwnNameOrUnderWow6432Node) {
  const bool ownName = Opens(u"SOFTWARE\\VelmoranRegistryViewCheck");
  const bool wow6432Node = Opens(u"SOFTWARE\\WOW6432Node\\VelmoranRegistryViewCheck");
  if (sizeof(void*) == 8) {
    EXPECT_FALSE(ownName);
    EXPECT_TRUE(wow6432Node);
  } else {
    EXPECT_TRUE(ownName);
  }
}

}  // namespace
}  // namespace velmoran::test
