#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/platform/contract/ContractBackend.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using platform::Handle;

constexpr std::uint32_t kErrorBadPathname = 161;

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

// The service only reads; the backend writes below its sandbox key:
//   Runtime: pv = "1.2.3.4" with its terminator, Bare = "abc" without one,
//            Count = DWORD 1, Empty = REG_SZ of no bytes
//   List\beta, List\Alpha, List\gamma\deeper, List\key_b, List\KeyA
class RegistryContract : public ::testing::Test {
 protected:
  RegistryContract() {
    backend_->SetRegistryValue(u"Runtime", u"pv", platform::kRegSz,
                               Utf16Bytes(std::u16string(u"1.2.3.4\0", 8)));
    backend_->SetRegistryValue(u"Runtime", u"Bare", platform::kRegSz, Utf16Bytes(u"abc"));
    backend_->SetRegistryValue(u"Runtime", u"Count", platform::kRegDword, {1, 0, 0, 0});
    backend_->SetRegistryValue(u"Runtime", u"Empty", platform::kRegSz, {});
    for (const auto* key :
         {u"List\\beta", u"List\\Alpha", u"List\\gamma\\deeper", u"List\\key_b", u"List\\KeyA"}) {
      backend_->CreateRegistryKey(key);
    }
  }
  ~RegistryContract() override {
    for (const Handle key : opened_) registry_.RegCloseKey(key);
  }

  std::uint32_t Open(Handle parent, std::u16string_view path, Handle& key) {
    const std::uint32_t error = registry_.RegOpenKeyExW(parent, path, platform::kKeyRead, key);
    if (error == platform::kErrorSuccess) opened_.push_back(key);
    return error;
  }
  Handle OpenBelowSandbox(std::u16string_view path) {
    Handle key = 0;
    EXPECT_EQ(Open(platform::kHkeyCurrentUser, sandbox_ + u"\\" + std::u16string(path), key), 0u) << "open";
    return key;
  }

  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
  platform::Registry& registry_ = backend_->Services().registry();
  const std::u16string sandbox_ = backend_->RegistrySandbox();
  std::vector<Handle> opened_;
};

struct OpenCase {
  const char* name;
  std::u16string before;  // written before the sandbox's path
  std::u16string after;   // written after it
  std::uint32_t error;
};

void PrintTo(const OpenCase& c, std::ostream* out) { *out << c.name; }

class RegistryOpenTable : public RegistryContract, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(RegistryOpenTable, OpensKeysByPath) {
  const OpenCase& c = GetParam();
  Handle key = 0;
  EXPECT_EQ(Open(platform::kHkeyCurrentUser, c.before + sandbox_ + c.after, key), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryOpenTable,
    ::testing::Values(OpenCase{"Existing", u"", u"\\Runtime", 0}, OpenCase{"OtherCase", u"", u"\\RUNTIME", 0},
                      OpenCase{"Nested", u"", u"\\List\\gamma\\deeper", 0},
                      OpenCase{"TrailingBackslash", u"", u"\\Runtime\\", 0},
                      // Win32 takes terminated strings: the path ends at its first NUL.
                      OpenCase{"EmbeddedNulEndsThePath", u"", std::u16string(u"\\Runtime\0x", 10), 0},
                      OpenCase{"Missing", u"", u"\\Nope", platform::kErrorFileNotFound},
                      OpenCase{"MissingBelowExisting", u"", u"\\Runtime\\Nope", platform::kErrorFileNotFound},
                      // A path below a key is relative: it cannot start at a root.
                      OpenCase{"LeadingBackslash", u"\\", u"\\Runtime", kErrorBadPathname}),
    CaseName());

struct ValueCase {
  const char* name;
  std::u16string valueName;
  std::uint32_t error;
  std::uint32_t type;
  std::vector<std::uint8_t> data;
};

void PrintTo(const ValueCase& c, std::ostream* out) { *out << c.name; }

class RegistryValueTable : public RegistryContract, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(RegistryValueTable, ValuesComeBackAsStored) {
  const ValueCase& c = GetParam();
  const Handle key = OpenBelowSandbox(u"Runtime");
  std::uint32_t type = 99;
  std::vector<std::uint8_t> data{0xEE};
  EXPECT_EQ(registry_.RegQueryValueExW(key, c.valueName, type, data), c.error);
  if (c.error == platform::kErrorSuccess) {
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(data, c.data);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryValueTable,
    ::testing::Values(
        ValueCase{"TextWithTerminator", u"pv", 0, platform::kRegSz,
                  Utf16Bytes(std::u16string(u"1.2.3.4\0", 8))},
        ValueCase{"NameInOtherCase", u"PV", 0, platform::kRegSz, Utf16Bytes(std::u16string(u"1.2.3.4\0", 8))},
        ValueCase{"NameEndsAtItsFirstNul", std::u16string(u"pv\0x", 4), 0, platform::kRegSz,
                  Utf16Bytes(std::u16string(u"1.2.3.4\0", 8))},
        ValueCase{"TextWithoutTerminatorStaysSo", u"Bare", 0, platform::kRegSz, Utf16Bytes(u"abc")},
        ValueCase{"Dword", u"Count", 0, platform::kRegDword, {1, 0, 0, 0}},
        ValueCase{"EmptyText", u"Empty", 0, platform::kRegSz, {}},
        ValueCase{"Missing", u"missing", platform::kErrorFileNotFound, 0, {}},
        ValueCase{"UnsetDefaultValue", u"", platform::kErrorFileNotFound, 0, {}}),
    CaseName());

TEST_F(RegistryContract, SubkeysAreListedInOrderOfTheirUpperCaseNames) {
  const Handle list = OpenBelowSandbox(u"List");
  std::vector<std::u16string> names;
  std::u16string name;
  for (std::uint32_t index = 0; registry_.RegEnumKeyExW(list, index, name) == platform::kErrorSuccess;
       ++index) {
    names.push_back(name);
  }
  // Windows compares key names in upper case, so "KEYA" sorts before
  // "KEY_B" ('A' < '_'); Wine compares them in lower case ('_' < 'a').
  const std::vector<std::u16string> windows{u"Alpha", u"beta", u"gamma", u"KeyA", u"key_b"};
  const std::vector<std::u16string> wine{u"Alpha", u"beta", u"gamma", u"key_b", u"KeyA"};
  EXPECT_EQ(names, Expected(*backend_, windows, std::optional(wine)));
  EXPECT_EQ(registry_.RegEnumKeyExW(list, 5, name), platform::kErrorNoMoreItems);
}

TEST_F(RegistryContract, KeysOpenBelowOpenKeysAndCloseOnce) {
  const Handle list = OpenBelowSandbox(u"List");
  Handle gamma = 0;
  ASSERT_EQ(registry_.RegOpenKeyExW(list, u"GAMMA", platform::kKeyRead, gamma), 0u);
  Handle deeper = 0;
  ASSERT_EQ(registry_.RegOpenKeyExW(gamma, u"deeper", platform::kKeyRead, deeper), 0u);
  EXPECT_EQ(registry_.RegCloseKey(deeper), 0u);
  std::u16string name;
  EXPECT_EQ(registry_.RegEnumKeyExW(gamma, 0, name), 0u);
  EXPECT_EQ(name, u"deeper");
  EXPECT_EQ(registry_.RegCloseKey(gamma), 0u);
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_EQ(registry_.RegQueryValueExW(gamma, u"pv", type, data), platform::kErrorInvalidHandle);
  EXPECT_EQ(registry_.RegCloseKey(platform::kHkeyCurrentUser), 0u) << "closing a root does nothing";
}

}  // namespace
}  // namespace velmoran::test
