#include <gtest/gtest.h>

#include "DiscoveryFixture.h"
#include "webview/loader/RuntimeOverrides.h"

namespace velmoran::test {
namespace {

using webview::ApplyOverrides;
using webview::kOverrideRoot;
using webview::kPolicyRoot;
using webview::kStable;
using webview::ReadOverride;
using webview::TWebView2EnvironmentParams;

constexpr char16_t kVariable[] = u"WEBVIEW2_BROWSER_EXECUTABLE_FOLDER";
constexpr char16_t kValueName[] = u"browserExecutableFolder";

class RuntimeOverridesTest : public DiscoveryTest {
 protected:
  RuntimeOverridesTest() { sim.process().SetApplicationUserModelId(u"Velmoran.Shell"); }

  // A policy present in the given root: the policy root key exists there.
  void EnablePolicies(platform::Handle root) { sim.registry().CreateKey(root, kPolicyRoot); }

  // Policy layout: the key is named after the setting, the value after the process.
  void SetPolicy(platform::Handle root, std::u16string_view identity, std::u16string_view folder) {
    sim.registry().SetStringValue(root, std::u16string(kPolicyRoot) + kValueName, identity, folder);
  }
  // Override layout: the key is named after the process, the value after the setting.
  void SetLoaderOverride(platform::Handle root, std::u16string_view identity, std::u16string_view folder) {
    sim.registry().SetStringValue(root, std::u16string(kOverrideRoot) + std::u16string(identity), kValueName,
                                  folder);
  }

  std::u16string Read() {
    std::u16string text;
    if (!ReadOverride(Context(), kVariable, kValueName, text)) return u"(none)";
    return text;
  }
};

TEST_F(RuntimeOverridesTest, EnvironmentVariableWinsOverEveryRegistryPlace) {
  EnablePolicies(platform::kHkeyLocalMachine);
  SetPolicy(platform::kHkeyLocalMachine, u"*", u"C:\\policy");
  sim.environment().SetVariable(kVariable, u"C:\\from-env");
  EXPECT_EQ(Read(), u"C:\\from-env");
}

TEST_F(RuntimeOverridesTest, EmptyEnvironmentVariableIsIgnored) {
  EnablePolicies(platform::kHkeyLocalMachine);
  SetPolicy(platform::kHkeyLocalMachine, u"*", u"C:\\policy");
  sim.environment().SetVariable(kVariable, u"");
  EXPECT_EQ(Read(), u"C:\\policy");
}

TEST_F(RuntimeOverridesTest, MachinePolicyWinsOverUserPolicy) {
  EnablePolicies(platform::kHkeyCurrentUser);
  SetPolicy(platform::kHkeyCurrentUser, u"Velmoran.Shell", u"C:\\user");
  SetPolicy(platform::kHkeyLocalMachine, u"*", u"C:\\machine");
  EXPECT_EQ(Read(), u"C:\\machine");
}

TEST_F(RuntimeOverridesTest, PolicyLayoutWinsOverOverrideLayoutInEitherRoot) {
  EnablePolicies(platform::kHkeyCurrentUser);
  SetLoaderOverride(platform::kHkeyLocalMachine, u"Velmoran.Shell", u"C:\\machine-override");
  SetPolicy(platform::kHkeyCurrentUser, u"*", u"C:\\user-policy");
  EXPECT_EQ(Read(), u"C:\\user-policy");
}

TEST_F(RuntimeOverridesTest, MachineOverrideWinsOverUserOverride) {
  SetLoaderOverride(platform::kHkeyCurrentUser, u"Velmoran.Shell", u"C:\\user");
  SetLoaderOverride(platform::kHkeyLocalMachine, u"*", u"C:\\machine");
  EXPECT_EQ(Read(), u"C:\\machine");
}

TEST_F(RuntimeOverridesTest, WithinARootUserModelIdThenExecutableNameThenAnyone) {
  EnablePolicies(platform::kHkeyLocalMachine);
  SetPolicy(platform::kHkeyLocalMachine, u"*", u"C:\\anyone");
  EXPECT_EQ(Read(), u"C:\\anyone");
  SetPolicy(platform::kHkeyLocalMachine, u"velmoran.exe", u"C:\\by-name");
  EXPECT_EQ(Read(), u"C:\\by-name");
  SetPolicy(platform::kHkeyLocalMachine, u"Velmoran.Shell", u"C:\\by-id");
  EXPECT_EQ(Read(), u"C:\\by-id");
}

TEST_F(RuntimeOverridesTest, PolicyKeyWithoutPoliciesIsReadInOverrideLayout) {
  // No policy root key: the policy layout is tried with the identity as key.
  sim.registry().SetStringValue(platform::kHkeyCurrentUser, std::u16string(kPolicyRoot) + u"velmoran.exe",
                                kValueName, u"C:\\odd");
  EXPECT_EQ(Read(), u"(none)");
}

TEST_F(RuntimeOverridesTest, ProcessWithoutUserModelIdDoesNotReadTheDefaultValue) {
  sim.process().SetApplicationUserModelId(u"");
  EnablePolicies(platform::kHkeyLocalMachine);
  sim.registry().SetStringValue(platform::kHkeyLocalMachine, std::u16string(kPolicyRoot) + kValueName, u"",
                                u"C:\\nobody");
  EXPECT_EQ(Read(), u"(none)");
}

TEST_F(RuntimeOverridesTest, ExplicitUserModelIdServesOnWindows7) {
  sim.process().SetApplicationUserModelId(u"");
  sim.process().SetExplicitAppUserModelId(u"Velmoran.Explicit");
  sim.process().SetWindowsVersion({6, 1, 7601});
  SetLoaderOverride(platform::kHkeyCurrentUser, u"Velmoran.Explicit", u"C:\\explicit");
  EXPECT_EQ(Read(), u"C:\\explicit");
}

TEST_F(RuntimeOverridesTest, EmptyOrNonTextValuesAreMisses) {
  SetLoaderOverride(platform::kHkeyLocalMachine, u"Velmoran.Shell", u"");
  sim.registry().SetValue(platform::kHkeyLocalMachine, std::u16string(kOverrideRoot) + u"velmoran.exe",
                          kValueName, platform::kRegExpandSz, {'C', 0, ':', 0, 0, 0});
  SetLoaderOverride(platform::kHkeyLocalMachine, u"*", u"C:\\plain");
  EXPECT_EQ(Read(), u"C:\\plain");
  EXPECT_EQ(sim.registry().OpenKeys(), 0u);
}

TEST_F(RuntimeOverridesTest, ApplyOverridesReplacesWhatTheCallerGave) {
  sim.environment().SetVariable(u"WEBVIEW2_USER_DATA_FOLDER", u"D:\\data");
  SetLoaderOverride(platform::kHkeyCurrentUser, u"*", u"C:\\rt");
  TWebView2EnvironmentParams params;
  params.embeddedEdgeSubFolder = u"C:\\given";
  params.userDataDir = u"C:\\given-data";
  ApplyOverrides(Context(), params);
  EXPECT_EQ(params.embeddedEdgeSubFolder, u"C:\\rt");
  EXPECT_EQ(params.userDataDir, u"D:\\data");
  EXPECT_EQ(params.releaseChannelPreference, kStable);
}

}  // namespace
}  // namespace velmoran::test
