// The runtime's later properties on the browser control: each answers its
// default (a setter False) before the browser is Initialized and on a runtime
// whose versions stop below the one carrying it; otherwise it reaches the
// runtime's object, where a setter's value stays and a getter reads it.

#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/sim/SimProfile.h"
#include "runtime/sim/SimSettings.h"
#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::test {
namespace {

using runtime::sim::SimControllerConfig;
using runtime::sim::SimPropertyValues;
using runtime::sim::SimVersionLimit;
using webview::ComPtr;
using webview::TWVBrowserBase;

bool Same(const COREWEBVIEW2_COLOR& a, const COREWEBVIEW2_COLOR& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}
bool Same(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
template <typename T>
bool Same(const T& a, const T& b) {
  return a == b;
}

// The runtime's objects whose stored values the properties reach.
struct RuntimeObjects {
  SimPropertyValues& controller;
  SimPropertyValues& webView;
  SimPropertyValues& profile;
  SimPropertyValues& settings;
};
using Holder = SimPropertyValues& (*)(RuntimeObjects&);
SimPropertyValues& OfController(RuntimeObjects& o) { return o.controller; }
SimPropertyValues& OfWebView(RuntimeObjects& o) { return o.webView; }
SimPropertyValues& OfProfile(RuntimeObjects& o) { return o.profile; }
SimPropertyValues& OfSettings(RuntimeObjects& o) { return o.settings; }

// Which object's versions stop, and where: the highest version the runtime
// then offers is the one just below the version carrying the property.
using Limit = SimVersionLimit SimControllerConfig::*;

struct Property {
  const char* name;
  std::function<bool(TWVBrowserBase&)> answersDefault;
  std::function<bool(TWVBrowserBase&)> set;  // none for a read-only property
  std::function<bool(TWVBrowserBase&)> answersValue;
  // Stores the value the set would, straight in the runtime's object.
  std::function<void(RuntimeObjects&)> plant;
  // Whether the runtime's object holds that value.
  std::function<bool(RuntimeObjects&)> holds;
  Holder holder;
  Limit limit;
  std::uint32_t below;  // the runtime offers versions up to this one only
};

// One row: `runtimeName` is the runtime's property, `Stored` the type its
// object keeps, `value` what the test sets; a null setter marks it read-only.
template <typename T, typename Stored = T, typename Arg = T>
Property Row(const char* name, T (TWVBrowserBase::*getter)() const, bool (TWVBrowserBase::*setter)(Arg),
             const char* runtimeName, T value, Stored stored, Holder holder, Limit limit,
             std::uint32_t below) {
  return Property{
      name,
      [getter](TWVBrowserBase& b) { return Same((b.*getter)(), T{}); },
      setter == nullptr ? std::function<bool(TWVBrowserBase&)>()
                        : [setter, value](TWVBrowserBase& b) { return (b.*setter)(Arg(value)); },
      [getter, value](TWVBrowserBase& b) { return Same((b.*getter)(), value); },
      [holder, runtimeName, stored](RuntimeObjects& o) { holder(o).Write<Stored>(runtimeName, stored); },
      [holder, runtimeName, stored](RuntimeObjects& o) {
        return Same(holder(o).Read<Stored>(runtimeName), stored);
      },
      holder,
      limit,
      below};
}

Property Switch(const char* name, bool (TWVBrowserBase::*getter)() const,
                bool (TWVBrowserBase::*setter)(bool), const char* runtimeName, Holder holder, Limit limit,
                std::uint32_t below) {
  return Row<bool, BOOL, bool>(name, getter, setter, runtimeName, true, TRUE, holder, limit, below);
}

using B = TWVBrowserBase;
constexpr Limit kController = &SimControllerConfig::controllerVersions;
constexpr Limit kWebView = &SimControllerConfig::webViewVersions;
constexpr Limit kSettings = &SimControllerConfig::settingsVersions;
constexpr Limit kProfile = &SimControllerConfig::profileVersions;
// The profile's first version comes with the webview's 13th, which hands it out.
constexpr std::uint32_t kWithoutProfile = 12;

const std::vector<Property>& Properties() {
  static const std::vector<Property> properties = {
      Row<COREWEBVIEW2_COLOR>("DefaultBackgroundColor", &B::DefaultBackgroundColor,
                              &B::SetDefaultBackgroundColor, "DefaultBackgroundColor", {255, 10, 20, 30},
                              {255, 10, 20, 30}, OfController, kController, 1),
      Row<COREWEBVIEW2_BOUNDS_MODE>("BoundsMode", &B::BoundsMode, &B::SetBoundsMode, "BoundsMode",
                                    COREWEBVIEW2_BOUNDS_MODE_USE_RASTERIZATION_SCALE,
                                    COREWEBVIEW2_BOUNDS_MODE_USE_RASTERIZATION_SCALE, OfController,
                                    kController, 2),
      Row<double>("RasterizationScale", &B::RasterizationScale, &B::SetRasterizationScale,
                  "RasterizationScale", 1.5, 1.5, OfController, kController, 2),
      Switch("ShouldDetectMonitorScaleChanges", &B::ShouldDetectMonitorScaleChanges,
             &B::SetShouldDetectMonitorScaleChanges, "ShouldDetectMonitorScaleChanges", OfController,
             kController, 2),
      Switch("AllowExternalDrop", &B::AllowExternalDrop, &B::SetAllowExternalDrop, "AllowExternalDrop",
             OfController, kController, 3),

      Row<std::u16string, std::u16string, std::u16string_view>(
          "FaviconUri", &B::FaviconUri, nullptr, "FaviconUri", u"http://127.0.0.1/favicon.ico",
          u"http://127.0.0.1/favicon.ico", OfWebView, kWebView, 14),
      Row<COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL>(
          "MemoryUsageTargetLevel", &B::MemoryUsageTargetLevel, &B::SetMemoryUsageTargetLevel,
          "MemoryUsageTargetLevel", COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW,
          COREWEBVIEW2_MEMORY_USAGE_TARGET_LEVEL_LOW, OfWebView, kWebView, 18),
      Row<std::uint32_t, UINT32, std::uint32_t>("FrameId", &B::FrameId, nullptr, "FrameId", 7u, 7u, OfWebView,
                                                kWebView, 19),
      Row<COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT>(
          "DefaultDownloadDialogCornerAlignment", &B::DefaultDownloadDialogCornerAlignment,
          &B::SetDefaultDownloadDialogCornerAlignment, "DefaultDownloadDialogCornerAlignment",
          COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_BOTTOM_LEFT,
          COREWEBVIEW2_DEFAULT_DOWNLOAD_DIALOG_CORNER_ALIGNMENT_BOTTOM_LEFT, OfWebView, kWebView, 8),
      Row<POINT>("DefaultDownloadDialogMargin", &B::DefaultDownloadDialogMargin,
                 &B::SetDefaultDownloadDialogMargin, "DefaultDownloadDialogMargin", POINT{12, 34},
                 POINT{12, 34}, OfWebView, kWebView, 8),
      Switch("IsDefaultDownloadDialogOpen", &B::IsDefaultDownloadDialogOpen, nullptr,
             "IsDefaultDownloadDialogOpen", OfWebView, kWebView, 8),

      Row<std::u16string, std::u16string, std::u16string_view>(
          "DefaultDownloadFolderPath", &B::DefaultDownloadFolderPath, &B::SetDefaultDownloadFolderPath,
          "DefaultDownloadFolderPath", u"C:\\Downloads", u"C:\\Downloads", OfProfile, kWebView,
          kWithoutProfile),
      Row<COREWEBVIEW2_PREFERRED_COLOR_SCHEME>(
          "PreferredColorScheme", &B::PreferredColorScheme, &B::SetPreferredColorScheme,
          "PreferredColorScheme", COREWEBVIEW2_PREFERRED_COLOR_SCHEME_DARK,
          COREWEBVIEW2_PREFERRED_COLOR_SCHEME_DARK, OfProfile, kWebView, kWithoutProfile),
      Row<std::u16string, std::u16string, std::u16string_view>(
          "ProfilePath", &B::ProfilePath, nullptr, "ProfilePath", u"C:\\Profiles\\Work",
          u"C:\\Profiles\\Work", OfProfile, kWebView, kWithoutProfile),
      Row<COREWEBVIEW2_TRACKING_PREVENTION_LEVEL>(
          "PreferredTrackingPreventionLevel", &B::PreferredTrackingPreventionLevel,
          &B::SetPreferredTrackingPreventionLevel, "PreferredTrackingPreventionLevel",
          COREWEBVIEW2_TRACKING_PREVENTION_LEVEL_STRICT, COREWEBVIEW2_TRACKING_PREVENTION_LEVEL_STRICT,
          OfProfile, kProfile, 2),
      Switch("ProfileIsGeneralAutofillEnabled", &B::ProfileIsGeneralAutofillEnabled,
             &B::SetProfileIsGeneralAutofillEnabled, "IsGeneralAutofillEnabled", OfProfile, kProfile, 5),
      Switch("ProfileIsPasswordAutosaveEnabled", &B::ProfileIsPasswordAutosaveEnabled,
             &B::SetProfileIsPasswordAutosaveEnabled, "IsPasswordAutosaveEnabled", OfProfile, kProfile, 5),

      Row<std::u16string, std::u16string, std::u16string_view>(
          "UserAgent", &B::UserAgent, &B::SetUserAgent, "UserAgent", u"Velmoran-Test/1.0",
          u"Velmoran-Test/1.0", OfSettings, kSettings, 1),
      Switch("AreBrowserAcceleratorKeysEnabled", &B::AreBrowserAcceleratorKeysEnabled,
             &B::SetAreBrowserAcceleratorKeysEnabled, "AreBrowserAcceleratorKeysEnabled", OfSettings,
             kSettings, 2),
      Switch("IsGeneralAutofillEnabled", &B::IsGeneralAutofillEnabled, &B::SetIsGeneralAutofillEnabled,
             "IsGeneralAutofillEnabled", OfSettings, kSettings, 3),
      Switch("IsPasswordAutosaveEnabled", &B::IsPasswordAutosaveEnabled, &B::SetIsPasswordAutosaveEnabled,
             "IsPasswordAutosaveEnabled", OfSettings, kSettings, 3),
      Switch("IsPinchZoomEnabled", &B::IsPinchZoomEnabled, &B::SetIsPinchZoomEnabled, "IsPinchZoomEnabled",
             OfSettings, kSettings, 4),
      Switch("IsSwipeNavigationEnabled", &B::IsSwipeNavigationEnabled, &B::SetIsSwipeNavigationEnabled,
             "IsSwipeNavigationEnabled", OfSettings, kSettings, 5),
      Row<COREWEBVIEW2_PDF_TOOLBAR_ITEMS>("HiddenPdfToolbarItems", &B::HiddenPdfToolbarItems,
                                          &B::SetHiddenPdfToolbarItems, "HiddenPdfToolbarItems",
                                          COREWEBVIEW2_PDF_TOOLBAR_ITEMS_SAVE,
                                          COREWEBVIEW2_PDF_TOOLBAR_ITEMS_SAVE, OfSettings, kSettings, 6),
      Switch("IsReputationCheckingRequired", &B::IsReputationCheckingRequired,
             &B::SetIsReputationCheckingRequired, "IsReputationCheckingRequired", OfSettings, kSettings, 7),
      Switch("IsNonClientRegionSupportEnabled", &B::IsNonClientRegionSupportEnabled,
             &B::SetIsNonClientRegionSupportEnabled, "IsNonClientRegionSupportEnabled", OfSettings, kSettings,
             8),
  };
  return properties;
}

class BrowserPropertiesTest : public BrowserTest, public testing::WithParamInterface<Property> {
 protected:
  RuntimeObjects Objects() {
    ComPtr<ICoreWebView2Profile> profile;
    EXPECT_EQ(WebView().get_Profile(profile.Put()), S_OK);
    // Held by the webview for its whole life, so the reference outlives this pointer.
    auto* simProfile = static_cast<runtime::sim::SimProfile*>(profile.Get());
    return RuntimeObjects{Controller().Values(), WebView().Values(), simProfile->Values(),
                          WebView().Settings().Values()};
  }
};

TEST_P(BrowserPropertiesTest, AnswersItsDefaultBeforeInitialized) {
  StartRuntime();
  EXPECT_TRUE(GetParam().answersDefault(*browser));
  if (GetParam().set) {
    EXPECT_FALSE(GetParam().set(*browser));
  }
  ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
  // Requested, not yet created: the runtime's objects are not there to ask.
  EXPECT_TRUE(GetParam().answersDefault(*browser));
  if (GetParam().set) {
    EXPECT_FALSE(GetParam().set(*browser));
  }
  EXPECT_EQ(side->LastController(), nullptr);
}

TEST_P(BrowserPropertiesTest, RoundTripsThroughTheRuntimesObject) {
  CreateBrowserNow();
  ASSERT_TRUE(browser->Initialized());
  RuntimeObjects objects = Objects();
  if (GetParam().set) {
    EXPECT_TRUE(GetParam().set(*browser));
    EXPECT_TRUE(GetParam().holds(objects));
  } else {
    GetParam().plant(objects);
  }
  EXPECT_TRUE(GetParam().answersValue(*browser));
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);  // texts the runtime handed out were freed
}

TEST_P(BrowserPropertiesTest, AnswersItsDefaultBelowTheVersionCarryingIt) {
  (choices.*GetParam().limit) = SimVersionLimit{GetParam().below, {}};
  CreateBrowserNow();
  // A controller without its second version gives no webview, so there the
  // browser never gets Initialized; every other limit still lets it be.
  EXPECT_EQ(browser->Initialized(), GetParam().limit != kController || GetParam().below > 1);
  // The value is there in the runtime's object: only the missing version keeps it out of reach.
  RuntimeObjects objects = Objects();
  GetParam().plant(objects);
  EXPECT_TRUE(GetParam().answersDefault(*browser));
  if (GetParam().set) {
    EXPECT_FALSE(GetParam().set(*browser));
  }
}

INSTANTIATE_TEST_SUITE_P(Family, BrowserPropertiesTest, testing::ValuesIn(Properties()), CaseName());

}  // namespace
}  // namespace velmoran::test
