#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "DiscoveryFixture.h"
#include "tests/support/CaseName.h"
#include "webview/loader/RuntimeChecks.h"

namespace velmoran::test {
namespace {

using webview::FourPartVersion;
using webview::kMachineAmd64;
using webview::kMachineI386;
using webview::kRuntimeClientKey;
using webview::kRuntimeClientKeyWow64;
using webview::kUninstallKey;
using webview::kUninstallKeyWow64;
using webview::RuntimeChecks;
using webview::TWVLoaderSettings;

using testing::ElementsAre;
using testing::IsEmpty;

constexpr char16_t kLoaderPath[] = u"C:\\velmoran\\WebView2Loader.dll";
constexpr char16_t kStableClientState[] =
    u"Software\\Microsoft\\EdgeUpdate\\ClientState\\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}";

class RuntimeChecksTest : public DiscoveryTest {
 protected:
  RuntimeChecks Checks() { return RuntimeChecks(sim, settings, reporter); }

  void InstallRuntimeInRegistry(platform::Handle root, const char16_t* key = kRuntimeClientKey) {
    sim.registry().SetStringValue(root, key, u"pv", u"135.0.3179.45");
  }

  void AddInstalledProgram(platform::Handle root, std::u16string_view key, std::u16string_view id,
                           std::optional<std::u16string_view> displayName,
                           std::optional<std::u16string_view> publisher) {
    const std::u16string entry = std::u16string(key) + u"\\" + std::u16string(id);
    sim.registry().CreateKey(root, entry);
    if (displayName) sim.registry().SetStringValue(root, entry, u"DisplayName", *displayName);
    if (publisher) sim.registry().SetStringValue(root, entry, u"Publisher", *publisher);
  }

  TWVLoaderSettings settings;
  RecordingReporter reporter;
};

struct LoaderLibraryCase {
  const char* name;
  bool present;
  std::optional<FourPartVersion> version;
  std::vector<std::uint8_t> content;
  bool process64Bit;
  bool passes;
  std::vector<std::string> lines;
};

class LoaderLibraryCases : public RuntimeChecksTest, public testing::WithParamInterface<LoaderLibraryCase> {};

TEST_P(LoaderLibraryCases, DecideAndReport) {
  const LoaderLibraryCase& c = GetParam();
  if (c.present) {
    WriteFile(kLoaderPath, c.content);
    if (c.version) {
      sim.files().SetVersionResource(kLoaderPath, Packed(c.version->major, c.version->minor),
                                     Packed(c.version->build, c.version->revision));
    }
  }
  sim.process().SetProcess64Bit(c.process64Bit);

  EXPECT_EQ(Checks().CheckLoaderLibrary(), c.passes);
  EXPECT_EQ(reporter.lines, c.lines);
  EXPECT_EQ(reporter.errorStatus, !c.passes);
  EXPECT_EQ(reporter.dialogs, c.passes ? 0 : 1);
  EXPECT_EQ(sim.files().OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, LoaderLibraryCases,
    testing::Values(
        LoaderLibraryCase{
            "OlderVersionNamesBothVersions",
            true,
            FourPartVersion{1, 0, 3179, 44},
            PeHeader(kMachineI386),
            false,
            false,
            {"Unsupported WebView2Loader.dll version !", "Expected WebView2Loader.dll version : 1.0.3179.45",
             "Found WebView2Loader.dll version : 1.0.3179.44"}},
        LoaderLibraryCase{"ExpectedVersionPasses",
                          true,
                          FourPartVersion{1, 0, 3179, 45},
                          PeHeader(kMachineI386),
                          false,
                          true,
                          {}},
        LoaderLibraryCase{"LaterBuildPasses",
                          true,
                          FourPartVersion{1, 0, 3180, 0},
                          PeHeader(kMachineI386),
                          false,
                          true,
                          {}},
        LoaderLibraryCase{
            "SixtyFourBitLoaderInThisProcess",
            true,
            FourPartVersion{1, 0, 3179, 45},
            PeHeader(kMachineAmd64),
            false,
            false,
            {"Wrong WebView2Loader.dll !", "Use the 64 bit loader DLL with 64 bits applications only."}},
        LoaderLibraryCase{
            "ThirtyTwoBitLoaderInA64BitProcess",
            true,
            FourPartVersion{1, 0, 3179, 45},
            PeHeader(kMachineI386),
            true,
            false,
            {"Wrong WebView2Loader.dll !", "Use the 32 bit loader DLL with 32 bits applications only."}},
        LoaderLibraryCase{"SixtyFourBitLoaderInA64BitProcess",
                          true,
                          FourPartVersion{1, 0, 3179, 45},
                          PeHeader(kMachineAmd64),
                          true,
                          true,
                          {}},
        LoaderLibraryCase{"UnknownMachine",
                          true,
                          FourPartVersion{1, 0, 3179, 45},
                          PeHeader(0xAA64),
                          false,
                          false,
                          {"Unknown WebView2Loader.dll !"}},
        LoaderLibraryCase{"UnreadableHeaderPasses",
                          true,
                          FourPartVersion{1, 0, 3179, 45},
                          {'M', 'Z', 0, 0},
                          false,
                          true,
                          {}},
        LoaderLibraryCase{"HeaderWithoutNtSignaturePasses",
                          true,
                          FourPartVersion{1, 0, 3179, 45},
                          std::vector<std::uint8_t>(400, 0),
                          false,
                          true,
                          {}},
        LoaderLibraryCase{
            "MissingFile", false, std::nullopt, {}, false, false, {"WebView2Loader.dll file not found !"}},
        LoaderLibraryCase{"FileWithoutVersion",
                          true,
                          std::nullopt,
                          PeHeader(kMachineI386),
                          false,
                          false,
                          {"WebView2Loader.dll file not found !"}}),
    CaseName());

std::vector<std::uint8_t> HeaderPointingPastTheEnd() {
  std::vector<std::uint8_t> bytes = PeHeader(kMachineAmd64);
  bytes[60] = 0xFF;
  bytes[61] = 0xFF;
  return bytes;
}

TEST_F(RuntimeChecksTest, HeaderPointingPastTheEndOfTheFilePasses) {
  WriteFile(kLoaderPath, HeaderPointingPastTheEnd());
  sim.files().SetVersionResource(kLoaderPath, Packed(1, 0), Packed(3179, 45));
  std::uint16_t machine = 0;
  EXPECT_FALSE(Checks().GetDLLHeaderMachine(kLoaderPath, machine));
  EXPECT_TRUE(Checks().CheckLoaderLibrary());
  EXPECT_EQ(sim.files().OpenHandles(), 0u);
}

TEST_F(RuntimeChecksTest, MissingRuntimeStopsTheChecksBeforeTheLoaderLibrary) {
  EXPECT_FALSE(Checks().CheckRuntimeFiles());
  ASSERT_EQ(reporter.lines.size(), 3u);
  EXPECT_EQ(reporter.lines[0], "WebView2 Runtime is not installed correctly.");
  EXPECT_EQ(reporter.dialogs, 1);
}

TEST_F(RuntimeChecksTest, MessagesNameTheLoaderLibraryWhateverThePathSays) {
  settings.LoaderDllPath = u"C:\\libs\\Other.dll";
  WriteFile(u"C:\\libs\\Other.dll", PeHeader(kMachineI386));
  sim.files().SetVersionResource(u"C:\\libs\\Other.dll", Packed(1, 0), Packed(3000, 1));
  EXPECT_FALSE(Checks().CheckLoaderLibrary());
  EXPECT_THAT(reporter.lines, ElementsAre("Unsupported WebView2Loader.dll version !",
                                          "Expected WebView2Loader.dll version : 1.0.3179.45",
                                          "Found WebView2Loader.dll version : 1.0.3000.1"));
}

TEST_F(RuntimeChecksTest, RelativeLoaderNameIsLookedForBesideTheExecutable) {
  sim.files().CreateDirectoryW(u"C:\\elsewhere");
  sim.files().SetCurrentDirectoryW(u"C:\\elsewhere");
  settings.LoaderDllPath = u"Loader2.dll";
  WriteFile(u"C:\\velmoran\\Loader2.dll", PeHeader(kMachineI386));
  sim.files().SetVersionResource(u"C:\\velmoran\\Loader2.dll", Packed(1, 0), Packed(3179, 45));
  InstallRuntimeInRegistry(platform::kHkeyLocalMachine);

  EXPECT_TRUE(Checks().CheckRuntimeFiles());
  EXPECT_THAT(reporter.lines, IsEmpty());
  // The check runs from the executable's folder and leaves the directory as it found it.
  EXPECT_TRUE(EqualsIgnoringAsciiCase(sim.files().GetCurrentDirectoryW(), u"C:\\elsewhere"));
}

TEST_F(RuntimeChecksTest, BrowserFolderWithoutTheBrowserFailsWhateverTheRegistrySays) {
  InstallRuntimeInRegistry(platform::kHkeyLocalMachine);
  MakeFolder(u"C:\\rt");
  settings.BrowserExecPath = u"C:\\rt";
  EXPECT_FALSE(Checks().CheckBrowserExecPath());
  EXPECT_THAT(reporter.lines, ElementsAre("The Browser Executable Folder doesn't exist."));
  EXPECT_TRUE(reporter.errorStatus);
  EXPECT_EQ(reporter.dialogs, 1);

  RecordingReporter second;
  WriteFile(u"C:\\rt\\msedgewebview2.exe");
  EXPECT_TRUE(RuntimeChecks(sim, settings, second).CheckBrowserExecPath());
  EXPECT_THAT(second.lines, IsEmpty());
}

TEST_F(RuntimeChecksTest, NoRuntimeAnywhereTellsWhereToGetIt) {
  EXPECT_FALSE(Checks().CheckBrowserExecPath());
  EXPECT_THAT(reporter.lines, ElementsAre("WebView2 Runtime is not installed correctly.",
                                          "Download and run the Evergreen Standalone Installer from ",
                                          "https://developer.microsoft.com/microsoft-edge/webview2/"));
  EXPECT_TRUE(reporter.errorStatus);
  EXPECT_EQ(reporter.dialogs, 1);
  EXPECT_EQ(sim.registry().OpenKeys(), 0u);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(RuntimeChecksTest, RuntimeFoundOnlyByItsClientLibraryCounts) {
  const std::u16string folder = u"C:\\Program Files\\EdgeWebView\\Application\\120.0.2210.91";
  sim.registry().SetStringValue(platform::kHkeyLocalMachine, kStableClientState, u"EBWebView", folder);
  WriteFile(folder + u"\\EBWebView\\x86\\EmbeddedBrowserWebView.dll");
  EXPECT_TRUE(Checks().CheckBrowserExecPath());
  EXPECT_THAT(reporter.lines, IsEmpty());
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(RuntimeChecksTest, EmptyUserVersionGivesWayToTheMachineVersion) {
  sim.registry().SetStringValue(platform::kHkeyCurrentUser, kRuntimeClientKey, u"pv", u"");
  sim.registry().SetStringValue(platform::kHkeyLocalMachine, kRuntimeClientKey, u"pv", u"131.0.2903.70");
  EXPECT_EQ(Checks().InstalledRuntimeVersion(), u"131.0.2903.70");
  EXPECT_EQ(sim.registry().OpenKeys(), 0u);
}

TEST_F(RuntimeChecksTest, UserEntriesComeBeforeMachineEntries) {
  sim.registry().SetStringValue(platform::kHkeyLocalMachine, kRuntimeClientKey, u"pv", u"1.1.1.1");
  sim.registry().SetStringValue(platform::kHkeyCurrentUser, kRuntimeClientKeyWow64, u"pv", u"2.2.2.2");
  EXPECT_EQ(Checks().InstalledRuntimeVersion(), u"2.2.2.2");
}

TEST_F(RuntimeChecksTest, VersionOfAnotherTypeIsAMiss) {
  sim.registry().SetValue(platform::kHkeyCurrentUser, kRuntimeClientKey, u"pv", platform::kRegDword,
                          {1, 0, 0, 0});
  EXPECT_EQ(Checks().InstalledRuntimeVersion(), u"");
}

TEST_F(RuntimeChecksTest, InstalledProgramMatchesByContainmentIgnoringCase) {
  AddInstalledProgram(platform::kHkeyLocalMachine, kUninstallKeyWow64, u"A", u"Other",
                      u"Microsoft Corporation");
  AddInstalledProgram(platform::kHkeyLocalMachine, kUninstallKeyWow64, u"B",
                      u"Microsoft Edge WebView2 Runtime", u"MICROSOFT CORPORATION");
  EXPECT_TRUE(Checks().SearchUninstallKeys(u"WebView2 Runtime", u"Microsoft Corporation"));
  EXPECT_EQ(sim.registry().OpenKeys(), 0u);
}

TEST_F(RuntimeChecksTest, InstalledProgramWithoutPublisherIsNotTheRuntime) {
  AddInstalledProgram(platform::kHkeyCurrentUser, kUninstallKey, u"X", u"Microsoft Edge WebView2 Runtime",
                      std::nullopt);
  EXPECT_FALSE(Checks().SearchUninstallKeys(u"WebView2 Runtime", u"Microsoft Corporation"));
}

TEST_F(RuntimeChecksTest, UnreadableProgramEntryIsSkipped) {
  AddInstalledProgram(platform::kHkeyLocalMachine, kUninstallKey, u"A", u"WebView2 Runtime",
                      u"Microsoft Corporation");
  sim.registry().DenyAccess(platform::kHkeyLocalMachine, std::u16string(kUninstallKey) + u"\\A");
  AddInstalledProgram(platform::kHkeyLocalMachine, kUninstallKey, u"B", u"WebView2 Runtime",
                      u"Microsoft Corporation");
  EXPECT_TRUE(
      Checks().SearchInstalledProgram(kUninstallKey, true, u"WebView2 Runtime", u"Microsoft Corporation"));
}

TEST_F(RuntimeChecksTest, ExtendedVersionPacksBothHalves) {
  WriteFile(u"C:\\f.dll");
  sim.files().SetVersionResource(u"C:\\f.dll", Packed(1, 2), Packed(3, 4));
  RuntimeChecks checks = Checks();
  EXPECT_EQ(checks.GetExtendedFileVersion(u"C:\\f.dll"), 0x0001000200030004u);
  EXPECT_EQ(checks.GetExtendedFileVersion(u"C:\\missing.dll"), 0u);
  EXPECT_TRUE(checks.IsFileVersionAtLeast(u"C:\\f.dll", 1, 2, 3, 4));
  EXPECT_FALSE(checks.IsFileVersionAtLeast(u"C:\\f.dll", 1, 2, 3, 5));
  EXPECT_TRUE(checks.IsFileVersionAtLeast(u"C:\\f.dll", 1, 1, 9, 9));
}

// A registry that fails by throwing, as a lower layer out of memory would.
class ThrowingRegistry final : public platform::Registry {
 public:
  std::uint32_t RegOpenKeyExW(platform::Handle, std::u16string_view, std::uint32_t,
                              platform::Handle&) override {
    throw std::runtime_error("registry");
  }
  std::uint32_t RegQueryValueExW(platform::Handle, std::u16string_view, std::uint32_t&,
                                 std::vector<std::uint8_t>&) override {
    throw std::runtime_error("registry");
  }
  std::uint32_t RegEnumKeyExW(platform::Handle, std::uint32_t, std::u16string&) override {
    throw std::runtime_error("registry");
  }
  std::uint32_t RegCloseKey(platform::Handle) override { return 0; }
};

class ThrowingRegistryPlatform final : public platform::Platform {
 public:
  explicit ThrowingRegistryPlatform(platform::sim::SimPlatform& sim) : sim_(sim) {}
  platform::Files& files() override { return sim_.files(); }
  platform::Locale& locale() override { return sim_.locale(); }
  platform::Clock& clock() override { return sim_.clock(); }
  platform::Process& process() override { return sim_.process(); }
  platform::Com& com() override { return sim_.com(); }
  platform::WindowManager& windows() override { return sim_.windows(); }
  platform::Graphics& graphics() override { return sim_.graphics(); }
  platform::Shell& shell() override { return sim_.shell(); }
  platform::Registry& registry() override { return registry_; }
  platform::Environment& environment() override { return sim_.environment(); }
  platform::Modules& modules() override { return sim_.modules(); }

 private:
  platform::sim::SimPlatform& sim_;
  ThrowingRegistry registry_;
};

TEST_F(RuntimeChecksTest, RegistryExceptionIsAMissUnlessTheLoaderAsksForIt) {
  ThrowingRegistryPlatform throwing(sim);
  EXPECT_EQ(RuntimeChecks(throwing, settings, reporter).InstalledRuntimeVersion(), u"");
  EXPECT_FALSE(RuntimeChecks(throwing, settings, reporter).CheckBrowserExecPath());
  EXPECT_EQ(reporter.lines.front(), "WebView2 Runtime is not installed correctly.");

  settings.ReRaiseExceptions = true;
  EXPECT_THROW(RuntimeChecks(throwing, settings, reporter).InstalledRuntimeVersion(), std::runtime_error);
}

}  // namespace
}  // namespace velmoran::test
