#include <gtest/gtest.h>

#include "DiscoveryFixture.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/WideText.h"
#include "webview/loader/AvailableBrowserVersion.h"
#include "webview/loader/ClientDllSearch.h"
#include "webview/loader/RuntimeOverrides.h"

namespace velmoran::test {
namespace {

using webview::AsWideText;
using webview::CoTaskMemText;
using webview::GetAvailableCoreWebView2BrowserVersionString;
using webview::kClientProductVersionBlock;
using webview::kClientStateKey;
using webview::kReleaseChannels;

constexpr char16_t kClientDll[] = u"\\EBWebView\\x86\\EmbeddedBrowserWebView.dll";

class AvailableBrowserVersionTest : public DiscoveryTest {
 protected:
  // A packaged process: its package is no runtime, so every channel is searched.
  AvailableBrowserVersionTest() {
    sim.process().SetPackages(
        std::vector<platform::PackageInfo>{{u"Velmoran.Shell_1a2b3c", u"C:\\velmoran", 1, 0, 0, 0}});
  }

  HRESULT Query(const char16_t* folder, std::u16string& answer) {
    CoTaskMemText text(sim.com());
    const std::u16string folderText = folder == nullptr ? u"" : folder;
    const HRESULT result = GetAvailableCoreWebView2BrowserVersionString(
        Context(), folder == nullptr ? nullptr : AsWideText(folderText), text.Put());
    answer = text.ToU16String();
    if (FAILED(result)) {
      EXPECT_TRUE(text.IsNull());
    }
    return result;
  }
};

TEST_F(AvailableBrowserVersionTest, InstalledChannelAnswersItsVersionAndName) {
  const std::u16string folder = u"C:\\rt\\125.0.2535.13";
  sim.registry().SetStringValue(platform::kHkeyLocalMachine,
                                std::u16string(kClientStateKey) + std::u16string(kReleaseChannels[1].id),
                                u"EBWebView", folder);
  WriteFile(folder + kClientDll);

  std::u16string answer;
  EXPECT_EQ(Query(nullptr, answer), S_OK);
  EXPECT_EQ(answer, u"125.0.2535.13 beta");
  // The answer was allocated for the caller, and the caller's free left nothing behind.
  EXPECT_GE(sim.com().TotalAllocations(), 1u);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(AvailableBrowserVersionTest, StableChannelAddsNoName) {
  const std::u16string folder = u"C:\\rt\\120.0.2210.91";
  sim.registry().SetStringValue(platform::kHkeyCurrentUser,
                                std::u16string(kClientStateKey) + std::u16string(kReleaseChannels[0].id),
                                u"EBWebView", folder);
  WriteFile(folder + kClientDll);
  std::u16string answer;
  EXPECT_EQ(Query(u"", answer), S_OK);
  EXPECT_EQ(answer, u"120.0.2210.91");
}

TEST_F(AvailableBrowserVersionTest, FolderAnswersTheClientsProductVersion) {
  WriteFile(u"C:\\fixed" + std::u16string(kClientDll));
  sim.files().SetVersionResource(u"C:\\fixed" + std::u16string(kClientDll), 0, 0,
                                 {{kClientProductVersionBlock, u"118.0.2088.76"}});
  std::u16string answer;
  EXPECT_EQ(Query(u"C:\\fixed", answer), S_OK);
  EXPECT_EQ(answer, u"118.0.2088.76");
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(AvailableBrowserVersionTest, OverrideFolderReplacesTheInstalledSearch) {
  WriteFile(u"C:\\fixed" + std::u16string(kClientDll));
  sim.files().SetVersionResource(u"C:\\fixed" + std::u16string(kClientDll), 0, 0,
                                 {{kClientProductVersionBlock, u"118.0.2088.76"}});
  sim.environment().SetVariable(u"WEBVIEW2_BROWSER_EXECUTABLE_FOLDER", u"C:\\fixed");
  std::u16string answer;
  EXPECT_EQ(Query(nullptr, answer), S_OK);
  EXPECT_EQ(answer, u"118.0.2088.76");
}

TEST_F(AvailableBrowserVersionTest, FailuresAnswerNoText) {
  std::u16string answer;
  EXPECT_EQ(Query(nullptr, answer), E_FAIL);
  EXPECT_EQ(Query(u"C:\\nothing-here", answer), HRESULT_FROM_WIN32(2));
  WriteFile(u"C:\\noversion" + std::u16string(kClientDll));
  EXPECT_TRUE(FAILED(Query(u"C:\\noversion", answer)));
  EXPECT_EQ(GetAvailableCoreWebView2BrowserVersionString(Context(), nullptr, nullptr), E_POINTER);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(AvailableBrowserVersionTest, NoPackageIdentityAnswersEFail) {
  sim.process().SetPackages(std::nullopt);
  std::u16string answer;
  EXPECT_EQ(Query(nullptr, answer), E_FAIL);
}

}  // namespace
}  // namespace velmoran::test
