#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/sim/SimRegistry.h"

namespace velmoran::test {
namespace {

using platform::Handle;
using platform::kErrorAccessDenied;
using platform::kErrorFileNotFound;
using platform::kErrorInvalidHandle;
using platform::kErrorNoMoreItems;
using platform::kErrorSuccess;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::kKeyRead;
using platform::kRegSz;
using platform::sim::SimRegistry;

using testing::ElementsAre;

std::u16string TextOf(const std::vector<std::uint8_t>& data) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2)
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  return text;
}

TEST(SimRegistry, KeysAndValuesAreFoundWhateverTheirCase) {
  SimRegistry registry;
  registry.SetStringValue(kHkeyLocalMachine, u"Software\\Velmoran\\Runtime", u"pv", u"1.2.3.4");
  Handle key = 0;
  ASSERT_EQ(registry.RegOpenKeyExW(kHkeyLocalMachine, u"SOFTWARE\\velmoran\\RUNTIME", kKeyRead, key),
            kErrorSuccess);
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  ASSERT_EQ(registry.RegQueryValueExW(key, u"PV", type, data), kErrorSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(TextOf(data),
            std::u16string(u"1.2.3.4\0", 8));  // stored with its terminator, as Windows stores it
  EXPECT_EQ(registry.RegQueryValueExW(key, u"missing", type, data), kErrorFileNotFound);
  EXPECT_EQ(registry.RegCloseKey(key), kErrorSuccess);
  EXPECT_EQ(registry.OpenKeys(), 0u);
}

TEST(SimRegistry, RootsAreSeparate) {
  SimRegistry registry;
  registry.CreateKey(kHkeyCurrentUser, u"Software\\Only\\User");
  Handle key = 0;
  EXPECT_EQ(registry.RegOpenKeyExW(kHkeyLocalMachine, u"Software\\Only\\User", kKeyRead, key),
            kErrorFileNotFound);
  EXPECT_EQ(registry.RegOpenKeyExW(kHkeyCurrentUser, u"Software\\Only\\User", kKeyRead, key), kErrorSuccess);
  registry.RegCloseKey(key);
  EXPECT_THAT(registry.OpenAttempts(), ElementsAre(u"HKEY_LOCAL_MACHINE\\Software\\Only\\User",
                                                   u"HKEY_CURRENT_USER\\Software\\Only\\User"));
}

TEST(SimRegistry, SubkeysAreListedAlphabeticallyInTheirOwnSpelling) {
  SimRegistry registry;
  registry.CreateKey(kHkeyCurrentUser, u"List\\beta");
  registry.CreateKey(kHkeyCurrentUser, u"List\\Alpha");
  registry.CreateKey(kHkeyCurrentUser, u"List\\gamma\\deeper");
  Handle key = 0;
  ASSERT_EQ(registry.RegOpenKeyExW(kHkeyCurrentUser, u"List", kKeyRead, key), kErrorSuccess);
  std::vector<std::u16string> names;
  std::u16string name;
  std::uint32_t index = 0;
  while (registry.RegEnumKeyExW(key, index++, name) == kErrorSuccess) names.push_back(name);
  EXPECT_THAT(names, ElementsAre(u"Alpha", u"beta", u"gamma"));
  EXPECT_EQ(registry.RegEnumKeyExW(key, 3, name), kErrorNoMoreItems);
  registry.RegCloseKey(key);
}

TEST(SimRegistry, DeniedKeyRefusesToOpenAndClosedHandlesAreInvalid) {
  SimRegistry registry;
  registry.DenyAccess(kHkeyLocalMachine, u"Locked");
  Handle key = 0;
  EXPECT_EQ(registry.RegOpenKeyExW(kHkeyLocalMachine, u"Locked", kKeyRead, key), kErrorAccessDenied);
  registry.CreateKey(kHkeyLocalMachine, u"Open");
  ASSERT_EQ(registry.RegOpenKeyExW(kHkeyLocalMachine, u"Open", kKeyRead, key), kErrorSuccess);
  registry.RegCloseKey(key);
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_EQ(registry.RegQueryValueExW(key, u"", type, data), kErrorInvalidHandle);
  EXPECT_EQ(registry.RegCloseKey(key), kErrorInvalidHandle);
}

}  // namespace
}  // namespace velmoran::test
