#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "DiscoveryFixture.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/WideText.h"
#include "webview/loader/CommandLineSwitches.h"
#include "webview/loader/TCoreWebView2CustomSchemeRegistration.h"
#include "webview/loader/TCoreWebView2EnvironmentOptions.h"

namespace velmoran::test {
namespace {

using webview::AsWideText;
using webview::ComPtr;
using webview::CoTaskMemText;
using webview::CustomCommandLineSwitches;
using webview::MakeComObject;
using webview::MakeEnvironmentOptions;
using webview::TCoreWebView2CustomSchemeRegistration;
using webview::TCoreWebView2EnvironmentOptions;
using webview::TWVCustomSchemeInfo;
using webview::TWVLoaderSettings;

using testing::ElementsAre;

class EnvironmentOptionsTest : public DiscoveryTest {
 protected:
  // The options this program requests its environment with.
  ComPtr<TCoreWebView2EnvironmentOptions> ProgramOptions(
      const std::vector<TWVCustomSchemeInfo>& schemes = {}) {
    TWVLoaderSettings settings;
    settings.UserDataFolder = u"C:\\velmoran\\CustomCache";
    settings.RemoteDebuggingPort = 9999;
    settings.RemoteAllowOrigins = u"*";
    settings.AreBrowserExtensionsEnabled = true;
    return MakeEnvironmentOptions(sim.com(), settings, CustomCommandLineSwitches(settings), schemes);
  }

  std::u16string Text(LPWSTR text) {
    CoTaskMemText owned(sim.com(), text);
    return owned.ToU16String();
  }

  std::vector<std::u16string> Origins(ICoreWebView2CustomSchemeRegistration& registration) {
    UINT32 count = 99;
    LPWSTR* origins = nullptr;
    EXPECT_EQ(registration.GetAllowedOrigins(&count, &origins), S_OK);
    std::vector<std::u16string> result;
    for (UINT32 i = 0; i < count; ++i) result.push_back(Text(origins[i]));
    if (count == 0) {
      EXPECT_EQ(origins, nullptr);
    }
    sim.com().CoTaskMemFree(origins);
    return result;
  }
};

TEST_F(EnvironmentOptionsTest, ProgramOptionsAsTheRuntimeReadsThem) {
  ComPtr<TCoreWebView2EnvironmentOptions> options = ProgramOptions();
  LPWSTR text = nullptr;
  ASSERT_EQ(options->get_AdditionalBrowserArguments(&text), S_OK);
  EXPECT_EQ(Text(text),
            u"--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*");
  text = reinterpret_cast<LPWSTR>(1);
  ASSERT_EQ(options->get_Language(&text), S_OK);
  EXPECT_EQ(text, nullptr);  // an empty text goes out as no text
  ASSERT_EQ(options->get_TargetCompatibleBrowserVersion(&text), S_OK);
  EXPECT_EQ(Text(text), u"135.0.3179.45");

  BOOL flag = 7;
  EXPECT_EQ(options->get_AllowSingleSignOnUsingOSPrimaryAccount(&flag), S_OK);
  EXPECT_EQ(flag, FALSE);
  EXPECT_EQ(options->get_ExclusiveUserDataFolderAccess(&flag), S_OK);
  EXPECT_EQ(flag, FALSE);
  EXPECT_EQ(options->get_IsCustomCrashReportingEnabled(&flag), S_OK);
  EXPECT_EQ(flag, FALSE);
  EXPECT_EQ(options->get_EnableTrackingPrevention(&flag), S_OK);
  EXPECT_EQ(flag, TRUE);
  EXPECT_EQ(options->get_AreBrowserExtensionsEnabled(&flag), S_OK);
  EXPECT_EQ(flag, TRUE);

  COREWEBVIEW2_CHANNEL_SEARCH_KIND searchKind{};
  COREWEBVIEW2_RELEASE_CHANNELS channels{};
  COREWEBVIEW2_SCROLLBAR_STYLE scrollBar{};
  EXPECT_EQ(options->get_ChannelSearchKind(&searchKind), S_OK);
  EXPECT_EQ(options->get_ReleaseChannels(&channels), S_OK);
  EXPECT_EQ(options->get_ScrollBarStyle(&scrollBar), S_OK);
  EXPECT_EQ(static_cast<int>(searchKind), 0);
  EXPECT_EQ(static_cast<int>(channels), 15);
  EXPECT_EQ(static_cast<int>(scrollBar), 0);

  UINT32 count = 5;
  ICoreWebView2CustomSchemeRegistration** registrations =
      reinterpret_cast<ICoreWebView2CustomSchemeRegistration**>(1);
  EXPECT_EQ(options->GetCustomSchemeRegistrations(&count, &registrations), S_OK);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(registrations, nullptr);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(EnvironmentOptionsTest, EveryOptionsVersionAnswersByItsOwnId) {
  ComPtr<TCoreWebView2EnvironmentOptions> options = ProgramOptions();
  ComPtr<ICoreWebView2EnvironmentOptions> base(options.Get());
  ComPtr<ICoreWebView2EnvironmentOptions2> v2;
  ComPtr<ICoreWebView2EnvironmentOptions5> v5;
  ComPtr<ICoreWebView2EnvironmentOptions8> v8;
  ComPtr<ICoreWebView2EnvironmentOptions6> v6;
  ASSERT_EQ(base.As(v2), S_OK);
  ASSERT_EQ(v2.As(v5), S_OK);
  ASSERT_EQ(v5.As(v8), S_OK);
  ASSERT_EQ(v8.As(v6), S_OK);
  BOOL flag = FALSE;
  EXPECT_EQ(v6->get_AreBrowserExtensionsEnabled(&flag), S_OK);
  EXPECT_EQ(flag, TRUE);
  EXPECT_EQ(v8->put_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE_FLUENT_OVERLAY), S_OK);
  COREWEBVIEW2_SCROLLBAR_STYLE style{};
  EXPECT_EQ(options->get_ScrollBarStyle(&style), S_OK);
  EXPECT_EQ(style, COREWEBVIEW2_SCROLLBAR_STYLE_FLUENT_OVERLAY);
  ComPtr<ICoreWebView2CustomSchemeRegistration> notOptions;
  EXPECT_EQ(base.As(notOptions), E_NOINTERFACE);
}

TEST_F(EnvironmentOptionsTest, SettersStoreWhatTheyAreGiven) {
  ComPtr<TCoreWebView2EnvironmentOptions> options = ProgramOptions();
  const std::u16string language = u"ko-KR";
  EXPECT_EQ(options->put_Language(AsWideText(language)), S_OK);
  EXPECT_EQ(options->put_ExclusiveUserDataFolderAccess(42), S_OK);
  EXPECT_EQ(options->put_AdditionalBrowserArguments(nullptr), S_OK);
  LPWSTR text = nullptr;
  EXPECT_EQ(options->get_Language(&text), S_OK);
  EXPECT_EQ(Text(text), u"ko-KR");
  EXPECT_EQ(options->get_AdditionalBrowserArguments(&text), S_OK);
  EXPECT_EQ(text, nullptr);
  BOOL flag = FALSE;
  EXPECT_EQ(options->get_ExclusiveUserDataFolderAccess(&flag), S_OK);
  EXPECT_EQ(flag, TRUE);
}

TEST_F(EnvironmentOptionsTest, RegistrationsGoOutInOrderEachWithItsOwnReference) {
  ComPtr<TCoreWebView2EnvironmentOptions> options =
      ProgramOptions({{u"velmoran", true, u"https://a.example", false}, {u"", false, u"", true}});
  UINT32 count = 0;
  ICoreWebView2CustomSchemeRegistration** registrations = nullptr;
  ASSERT_EQ(options->GetCustomSchemeRegistrations(&count, &registrations), S_OK);
  ASSERT_EQ(count, 2u);

  LPWSTR name = nullptr;
  EXPECT_EQ(registrations[0]->get_SchemeName(&name), S_OK);
  EXPECT_EQ(Text(name), u"velmoran");
  EXPECT_EQ(registrations[1]->get_SchemeName(&name), S_OK);
  EXPECT_EQ(name, nullptr);
  BOOL flag = FALSE;
  EXPECT_EQ(registrations[1]->get_HasAuthorityComponent(&flag), S_OK);
  EXPECT_EQ(flag, TRUE);

  // The options object keeps its own reference: after the caller's release
  // (AddRef/Release answer the count left) the registration still lives.
  EXPECT_EQ(registrations[0]->AddRef(), 3u);
  EXPECT_EQ(registrations[0]->Release(), 2u);
  for (UINT32 i = 0; i < count; ++i) EXPECT_EQ(registrations[i]->Release(), 1u);
  sim.com().CoTaskMemFree(registrations);

  // Replacing them drops the options object's references.
  ComPtr<ICoreWebView2CustomSchemeRegistration> kept = MakeComObject<TCoreWebView2CustomSchemeRegistration>(
      sim.com(), TWVCustomSchemeInfo{u"kept", false, u"", false});
  ICoreWebView2CustomSchemeRegistration* replacement[] = {kept.Get(), nullptr};
  EXPECT_EQ(options->SetCustomSchemeRegistrations(2, replacement), S_OK);
  ASSERT_EQ(options->GetCustomSchemeRegistrations(&count, &registrations), S_OK);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(registrations[0], kept.Get());
  registrations[0]->Release();
  sim.com().CoTaskMemFree(registrations);
  EXPECT_EQ(kept->AddRef(), 3u);
  kept->Release();
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(EnvironmentOptionsTest, AllowedOriginsAreTrimmedAndEmptyItemsLeftOut) {
  ComPtr<TCoreWebView2CustomSchemeRegistration> registration =
      MakeComObject<TCoreWebView2CustomSchemeRegistration>(
          sim.com(),
          TWVCustomSchemeInfo{u"app", false, u"  https://a.example ,, \thttps://b.example\r\n", false});
  EXPECT_THAT(Origins(*registration), ElementsAre(u"https://a.example", u"https://b.example"));

  const std::u16string first = u"https://c.example";
  const std::u16string empty;
  LPCWSTR items[] = {AsWideText(first), nullptr, AsWideText(empty), AsWideText(first)};
  EXPECT_EQ(registration->SetAllowedOrigins(4, items), S_OK);
  EXPECT_EQ(registration->Info().AllowedDomains, u"https://c.example,https://c.example");

  EXPECT_EQ(registration->SetAllowedOrigins(0, nullptr), S_OK);
  EXPECT_TRUE(Origins(*registration).empty());
  EXPECT_EQ(registration->SetAllowedOrigins(1, nullptr), E_INVALIDARG);
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);
}

TEST_F(EnvironmentOptionsTest, MissingPlaceForAnAnswerIsRefused) {
  ComPtr<TCoreWebView2EnvironmentOptions> options = ProgramOptions();
  EXPECT_EQ(options->get_Language(nullptr), E_POINTER);
  EXPECT_EQ(options->get_EnableTrackingPrevention(nullptr), E_POINTER);
  EXPECT_EQ(options->GetCustomSchemeRegistrations(nullptr, nullptr), E_POINTER);
}

}  // namespace
}  // namespace velmoran::test
