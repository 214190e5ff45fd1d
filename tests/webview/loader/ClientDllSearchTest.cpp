#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DiscoveryFixture.h"
#include "tests/support/CaseName.h"
#include "webview/abi/ComResults.h"
#include "webview/loader/ClientDllSearch.h"

namespace velmoran::test {
namespace {

using webview::FindInstalledClientDll;
using webview::FourPartVersion;
using webview::IsVersionAtLeast;
using webview::kCanary;
using webview::kClientStateKey;
using webview::kClientStateKeyWow64;
using webview::kReleaseChannels;
using webview::kStable;
using webview::ParseFourPartVersion;
using webview::ReleaseChannel;
using webview::ResolveClientDllFromFolder;
using webview::TWebView2ReleaseChannelPreference;
using webview::VersionText;

using testing::ElementsAre;

constexpr char16_t kClientDllBelowRuntime[] = u"\\EBWebView\\x86\\EmbeddedBrowserWebView.dll";

class ClientDllSearchTest : public DiscoveryTest {
 protected:
  // A packaged process whose own package is no runtime, so that the search
  // goes through every channel.
  ClientDllSearchTest() { sim.process().SetPackages(std::vector<platform::PackageInfo>{kOwnPackage}); }

  static inline const platform::PackageInfo kOwnPackage{
      u"Velmoran.Shell_1a2b3c", u"C:\\velmoran", 1, 0, 0, 0};

  // A runtime folder named after its version, registered for the channel.
  std::u16string InstallChannel(platform::Handle root, std::u16string_view stateKey,
                                const ReleaseChannel& channel, std::u16string_view version,
                                bool withClient = true) {
    const std::u16string channelFolder = channel.name.empty() ? u"stable" : std::u16string(channel.name);
    std::u16string folder = u"C:\\Runtimes\\" + channelFolder + u"\\" + std::u16string(version);
    sim.registry().SetStringValue(root, std::u16string(stateKey) + std::u16string(channel.id), u"EBWebView",
                                  folder);
    if (withClient) WriteFile(folder + kClientDllBelowRuntime);
    return folder;
  }

  HRESULT Find(TWebView2ReleaseChannelPreference order) {
    return FindInstalledClientDll(Context(), order, clientPath, versionText, channelName);
  }

  std::u16string clientPath;
  std::u16string versionText;
  std::u16string channelName;
};

TEST_F(ClientDllSearchTest, StableFirstFindsStable) {
  InstallChannel(platform::kHkeyLocalMachine, kClientStateKeyWow64, kReleaseChannels[0], u"120.0.2210.91");
  InstallChannel(platform::kHkeyCurrentUser, kClientStateKey, kReleaseChannels[3], u"124.0.1.0");
  EXPECT_EQ(Find(kStable), S_OK);
  EXPECT_EQ(versionText, u"120.0.2210.91");
  EXPECT_EQ(channelName, u"");
  EXPECT_EQ(clientPath, u"C:\\Runtimes\\stable\\120.0.2210.91" + std::u16string(kClientDllBelowRuntime));
}

TEST_F(ClientDllSearchTest, SixtyFourBitProcessTakesTheX64Library) {
  sim.process().SetProcess64Bit(true);
  const std::u16string folder = InstallChannel(platform::kHkeyLocalMachine, kClientStateKeyWow64,
                                               kReleaseChannels[0], u"120.0.2210.91");
  // The runtime's 32-bit library alone is no library for this process.
  EXPECT_EQ(Find(kStable), S_OK);
  EXPECT_EQ(versionText, u"");
  const std::u16string x64Library = folder + u"\\EBWebView\\x64\\EmbeddedBrowserWebView.dll";
  WriteFile(x64Library);
  EXPECT_EQ(Find(kStable), S_OK);
  EXPECT_EQ(versionText, u"120.0.2210.91");
  EXPECT_EQ(clientPath, x64Library);
}

TEST_F(ClientDllSearchTest, CanaryFirstExaminesInternalCanaryDevBetaStable) {
  sim.registry().ClearOpenAttempts();
  EXPECT_EQ(Find(kCanary), S_OK);
  EXPECT_EQ(versionText, u"");
  std::vector<std::u16string> channelsTried;
  for (const std::u16string& attempt : sim.registry().OpenAttempts()) {
    if (attempt.starts_with(u"HKEY_CURRENT_USER\\Software\\Microsoft\\EdgeUpdate\\ClientState\\")) {
      channelsTried.push_back(attempt.substr(attempt.rfind(u'\\') + 1));
    }
  }
  EXPECT_THAT(channelsTried,
              ElementsAre(kReleaseChannels[4].id, kReleaseChannels[3].id, kReleaseChannels[2].id,
                          kReleaseChannels[1].id, kReleaseChannels[0].id));
}

TEST_F(ClientDllSearchTest, EachChannelTriesUserThenMachineForBothKeys) {
  EXPECT_EQ(Find(kStable), S_OK);
  const std::u16string id(kReleaseChannels[0].id);
  const auto& attempts = sim.registry().OpenAttempts();
  ASSERT_GE(attempts.size(), 4u);
  EXPECT_THAT(std::vector<std::u16string>(attempts.begin(), attempts.begin() + 4),
              ElementsAre(u"HKEY_CURRENT_USER\\" + std::u16string(kClientStateKey) + id,
                          u"HKEY_LOCAL_MACHINE\\" + std::u16string(kClientStateKey) + id,
                          u"HKEY_CURRENT_USER\\" + std::u16string(kClientStateKeyWow64) + id,
                          u"HKEY_LOCAL_MACHINE\\" + std::u16string(kClientStateKeyWow64) + id));
}

TEST_F(ClientDllSearchTest, CanaryFirstPrefersTheNewestChannel) {
  InstallChannel(platform::kHkeyLocalMachine, kClientStateKey, kReleaseChannels[0], u"120.0.2210.91");
  InstallChannel(platform::kHkeyCurrentUser, kClientStateKey, kReleaseChannels[2], u"125.0.1.2");
  EXPECT_EQ(Find(kCanary), S_OK);
  EXPECT_EQ(versionText, u"125.0.1.2");
  EXPECT_EQ(channelName, u"dev");
}

TEST_F(ClientDllSearchTest, ClientBelowTheMinimumIsRejectedAndTheSearchGoesOn) {
  InstallChannel(platform::kHkeyCurrentUser, kClientStateKey, kReleaseChannels[0], u"85.0.1.0");
  InstallChannel(platform::kHkeyLocalMachine, kClientStateKey, kReleaseChannels[0], u"86.0.616.0");
  EXPECT_EQ(Find(kStable), S_OK);
  EXPECT_EQ(versionText, u"86.0.616.0");
}

TEST_F(ClientDllSearchTest, RejectedChannelsLeaveNoResults) {
  InstallChannel(platform::kHkeyCurrentUser, kClientStateKey, kReleaseChannels[0], u"85.0.1.0");
  InstallChannel(platform::kHkeyCurrentUser, kClientStateKey, kReleaseChannels[1], u"120.0.0.1", false);
  EXPECT_EQ(Find(kStable), S_OK);
  EXPECT_EQ(versionText, u"");
  EXPECT_EQ(clientPath, u"");
}

TEST_F(ClientDllSearchTest, ProcessWithoutPackageIdentityEndsTheSearchAfterTheFirstChannel) {
  sim.process().SetPackages(std::nullopt);
  InstallChannel(platform::kHkeyCurrentUser, kClientStateKey, kReleaseChannels[1], u"120.0.0.1");
  sim.registry().ClearOpenAttempts();
  EXPECT_EQ(Find(kStable), E_FAIL);
  EXPECT_EQ(sim.registry().OpenAttempts().size(), 4u);
  EXPECT_EQ(sim.process().PackageInfoQueries(), 1u);
}

TEST_F(ClientDllSearchTest, BeforeWindows8PackagesAreNotAsked) {
  sim.process().SetWindowsVersion({6, 1, 7601});
  EXPECT_EQ(Find(kStable), S_OK);
  EXPECT_EQ(sim.process().PackageInfoQueries(), 0u);
}

TEST_F(ClientDllSearchTest, ChannelPackageOfTheProcessServes) {
  WriteFile(u"C:\\Packages\\Beta" + std::u16string(kClientDllBelowRuntime));
  sim.process().SetPackages(std::vector<platform::PackageInfo>{
      kOwnPackage,
      {u"microsoft.webview2runtime.beta_8wekyb3d8bbwe", u"C:\\Packages\\Beta", 121, 0, 2277, 4}});
  EXPECT_EQ(Find(kStable), S_OK);
  EXPECT_EQ(versionText, u"121.0.2277.4");
  EXPECT_EQ(channelName, u"beta");
  EXPECT_EQ(clientPath, u"C:\\Packages\\Beta" + std::u16string(kClientDllBelowRuntime));
}

TEST_F(ClientDllSearchTest, FolderEndingInADelimiterIsNamedByItsVersion) {
  const std::u16string folder = u"C:\\rt\\122.0.1.1\\";
  sim.registry().SetStringValue(platform::kHkeyCurrentUser,
                                std::u16string(kClientStateKey) + kReleaseChannels[0].id.data(), u"EBWebView",
                                folder);
  WriteFile(u"C:\\rt\\122.0.1.1" + std::u16string(kClientDllBelowRuntime));
  EXPECT_EQ(Find(kStable), S_OK);
  EXPECT_EQ(versionText, u"122.0.1.1");
}

struct FolderCase {
  const char* name;
  std::u16string folder;
  std::u16string expectedPath;
};

class ResolveFolderCases : public ClientDllSearchTest, public testing::WithParamInterface<FolderCase> {};

TEST_P(ResolveFolderCases, BuildTheClientPath) {
  std::u16string path;
  EXPECT_EQ(ResolveClientDllFromFolder(Context(), GetParam().folder, path), HRESULT_FROM_WIN32(2));
  EXPECT_EQ(Utf16ToUtf8(path), Utf16ToUtf8(GetParam().expectedPath + kClientDllBelowRuntime));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ResolveFolderCases,
    testing::Values(FolderCase{"Absolute", u"D:\\rt", u"D:\\rt"},
                    FolderCase{"AbsoluteWithDelimiter", u"d:\\rt\\", u"d:\\rt"},
                    FolderCase{"Network", u"\\\\server\\share\\rt", u"\\\\server\\share\\rt"},
                    FolderCase{"Relative", u"rt", u"C:\\velmoran\\rt"},
                    FolderCase{"Parent", u"..\\rt", u"C:\\velmoran\\..\\rt"},
                    FolderCase{"DriveWithoutBackslashIsRelative", u"C:rt", u"C:\\velmoran\\C:rt"}),
    CaseName());

TEST_F(ClientDllSearchTest, ExistingClientBelowAFolderIsFound) {
  WriteFile(u"C:\\rt" + std::u16string(kClientDllBelowRuntime));
  std::u16string path;
  EXPECT_EQ(ResolveClientDllFromFolder(Context(), u"..\\rt", path), S_OK);
  EXPECT_EQ(ResolveClientDllFromFolder(Context(), u"C:\\rt", path), S_OK);
}

TEST(ParseFourPartVersion, ReadsFourNumbers) {
  FourPartVersion version;
  EXPECT_FALSE(ParseFourPartVersion(u"1.2.3", version));
  EXPECT_FALSE(ParseFourPartVersion(u"", version));
  EXPECT_FALSE(ParseFourPartVersion(u"1..2.3", version));
  EXPECT_FALSE(ParseFourPartVersion(u"1.2.3.99999999999", version));
  ASSERT_TRUE(ParseFourPartVersion(u"1.2.3.4.5", version));
  EXPECT_EQ(VersionText(version), u"1.2.3.4");
  ASSERT_TRUE(ParseFourPartVersion(u"120.0.2210.91 beta", version));
  EXPECT_EQ(VersionText(version), u"120.0.2210.91");
  ASSERT_TRUE(ParseFourPartVersion(u"4294967295.0.0.1", version));
  EXPECT_EQ(version.major, 4294967295u);
}

TEST(IsVersionAtLeast, FirstDifferenceDecides) {
  EXPECT_TRUE(IsVersionAtLeast({86, 0, 616, 0}, {86, 0, 616, 0}));
  EXPECT_FALSE(IsVersionAtLeast({85, 999, 999, 999}, {86, 0, 616, 0}));
  EXPECT_TRUE(IsVersionAtLeast({86, 1, 0, 0}, {86, 0, 616, 0}));
  EXPECT_FALSE(IsVersionAtLeast({86, 0, 615, 9}, {86, 0, 616, 0}));
}

}  // namespace
}  // namespace velmoran::test
