#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/Text.h"
#include "tests/support/CaseName.h"
#include "webview/loader/CommandLineSwitches.h"

namespace velmoran::test {
namespace {

using webview::appDocumentUserActivationRequired;
using webview::appNoUserGestureRequired;
using webview::appUserGestureRequired;
using webview::CustomCommandLineSwitches;
using webview::DefaultTargetVersion;
using webview::dlEnabled;
using webview::dlEnabledStdErr;
using webview::dlEnabledStdOut;
using webview::dllError;
using webview::dllFatal;
using webview::dllInfo;
using webview::dllWarning;
using webview::ExpectedLoaderVersion;
using webview::STATE_DISABLED;
using webview::STATE_ENABLED;
using webview::TWVLoaderSettings;

TEST(CommandLineSwitches, AllDefaultsDisableOnlyThePitchNotification) {
  EXPECT_EQ(CustomCommandLineSwitches(TWVLoaderSettings{}), u"--disable-features=msEdgeRose");
}

TEST(CommandLineSwitches, TheProgramsOwnSettingsOpenTheDebuggingPortToAnyOrigin) {
  TWVLoaderSettings settings;
  settings.UserDataFolder = u"C:\\velmoran\\CustomCache";
  settings.RemoteDebuggingPort = 9999;
  settings.RemoteAllowOrigins = u"*";
  settings.AreBrowserExtensionsEnabled = true;
  EXPECT_EQ(CustomCommandLineSwitches(settings),
            u"--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*");
}

struct SwitchCase {
  const char* name;
  std::function<void(TWVLoaderSettings&)> change;
  std::u16string expected;
};

class SwitchCases : public testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchCases, BuildTheExpectedText) {
  TWVLoaderSettings settings;
  GetParam().change(settings);
  EXPECT_EQ(Utf16ToUtf8(CustomCommandLineSwitches(settings)), Utf16ToUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, SwitchCases,
    testing::Values(
        SwitchCase{"NoFeatureSwitchesLeaveTheTextEmpty",
                   [](TWVLoaderSettings& s) {
                     s.DisableEdgePitchNotification = false;
                     s.SmartScreenProtectionEnabled = true;
                   },
                   u""},
        SwitchCase{"EnabledListKeepsTheUsersNameFirstAndComesBeforeTheDisabledList",
                   [](TWVLoaderSettings& s) {
                     s.EnableFeatures = u"Foo";
                     s.MicrosoftSignIn = true;
                     s.OpenOfficeDocumentsInWebViewer = true;
                   },
                   u"--enable-features=Foo,msOpenOfficeDocumentsInWebViewer,"
                   u"msSingleSignOnOSForPrimaryAccountIsShared "
                   u"--disable-features=msEdgeRose"},
        SwitchCase{"KyberDisabledJoinsTheDisabledList",
                   [](TWVLoaderSettings& s) { s.TLS13HybridizedKyberSupport = STATE_DISABLED; },
                   u"--disable-features=msEdgeRose,PostQuantumKyber"},
        SwitchCase{"KyberEnabledStartsTheEnabledList",
                   [](TWVLoaderSettings& s) { s.TLS13HybridizedKyberSupport = STATE_ENABLED; },
                   u"--enable-features=PostQuantumKyber --disable-features=msEdgeRose"},
        SwitchCase{"SmartScreenOffPrecedesThePitchNotification",
                   [](TWVLoaderSettings& s) {
                     s.DisableFeatures = u"A,B";
                     s.SmartScreenProtectionEnabled = false;
                   },
                   u"--disable-features=A,B,msSmartScreenProtection,msEdgeRose"},
        SwitchCase{"NoProxyServerSilencesEveryOtherProxySetting",
                   [](TWVLoaderSettings& s) {
                     s.ProxySettings.NoProxyServer = true;
                     s.ProxySettings.AutoDetect = true;
                     s.ProxySettings.Server = u"proxy:8080";
                     s.ProxySettings.PacUrl = u"http://pac";
                   },
                   u"--disable-features=msEdgeRose --no-proxy-server"},
        SwitchCase{"ProxySettingsInTheirOrder",
                   [](TWVLoaderSettings& s) {
                     s.ProxySettings.AutoDetect = true;
                     s.ProxySettings.ByPassList = u"<local>";
                     s.ProxySettings.PacUrl = u"http://pac";
                     s.ProxySettings.Server = u"proxy:8080";
                   },
                   u"--disable-features=msEdgeRose --proxy-auto-detect --proxy-bypass-list=<local> "
                   u"--proxy-pac-url=http://pac --proxy-server=proxy:8080"},
        SwitchCase{"PortZeroGivesNoPortSwitch", [](TWVLoaderSettings& s) { s.RemoteDebuggingPort = 0; },
                   u"--disable-features=msEdgeRose"},
        SwitchCase{"NegativePortGivesNoPortSwitch", [](TWVLoaderSettings& s) { s.RemoteDebuggingPort = -1; },
                   u"--disable-features=msEdgeRose"},
        SwitchCase{"AdditionalArgumentsFollowOneSpaceAndKeepTheirOwnTrailingSpace",
                   [](TWVLoaderSettings& s) { s.AdditionalBrowserArguments = u"--foo=bar "; },
                   u"--disable-features=msEdgeRose --foo=bar "},
        SwitchCase{"AdditionalArgumentsAloneKeepTheirLeadingSpace",
                   [](TWVLoaderSettings& s) {
                     s.DisableEdgePitchNotification = false;
                     s.AdditionalBrowserArguments = u" --x";
                   },
                   u" --x"},
        SwitchCase{"GpuOffComesFirst", [](TWVLoaderSettings& s) { s.EnableGPU = false; },
                   u"--disable-gpu --disable-gpu-compositing --disable-features=msEdgeRose"},
        SwitchCase{"ScaleFactorOneAndAHalf", [](TWVLoaderSettings& s) { s.ForcedDeviceScaleFactor = 1.5f; },
                   u"--disable-features=msEdgeRose --force-device-scale-factor=1.5"},
        SwitchCase{"ScaleFactorShowsTheSinglePrecisionValue",
                   [](TWVLoaderSettings& s) { s.ForcedDeviceScaleFactor = 1.1f; },
                   u"--disable-features=msEdgeRose --force-device-scale-factor=1.10000002384186"},
        SwitchCase{
            "QuotedValuesAreNotEscaped",
            [](TWVLoaderSettings& s) {
              s.JavaScriptFlags = u"--expose-gc";
              s.UserAgent = u"Velmoran \"1\"";
            },
            u"--disable-features=msEdgeRose --js-flags=\"--expose-gc\" --user-agent=\"Velmoran \"1\"\""},
        SwitchCase{"EveryStateSwitchInItsRow",
                   [](TWVLoaderSettings& s) {
                     s.EnableBlinkFeatures = u"EB";
                     s.DisableBlinkFeatures = u"DB";
                     s.BlinkSettings = u"bs=1";
                     s.ForceFieldTrials = u"T/G";
                     s.ForceFieldTrialParams = u"T.G:p/v";
                     s.AllowInsecureLocalhost = true;
                     s.DisableWebSecurity = true;
                     s.TouchEvents = STATE_DISABLED;
                     s.HyperlinkAuditing = false;
                     s.AutoplayPolicy = appNoUserGestureRequired;
                     s.MuteAudio = true;
                     s.DefaultEncoding = u"utf-8";
                     s.KioskPrinting = true;
                     s.AllowFileAccessFromFiles = true;
                     s.AllowRunningInsecureContent = true;
                     s.DisableBackgroundNetworking = true;
                     s.DebugLog = dlEnabledStdErr;
                     s.DebugLogLevel = dllFatal;
                     s.TreatInsecureOriginAsSecure = u"http://a";
                     s.AutoAcceptCamAndMicCapture = true;
                   },
                   u"--disable-features=msEdgeRose --enable-blink-features=EB --disable-blink-features=DB "
                   u"--blink-settings=bs=1 --force-fieldtrials=T/G --force-fieldtrial-params=T.G:p/v "
                   u"--allow-insecure-localhost --disable-web-security --touch-events=disabled --no-pings "
                   u"--autoplay-policy=no-user-gesture-required --mute-audio --default-encoding=utf-8 "
                   u"--kiosk-printing --allow-file-access-from-files --allow-running-insecure-content "
                   u"--disable-background-networking --enable-logging=stderr --log-level=3 "
                   u"--unsafely-treat-insecure-origin-as-secure=http://a "
                   u"--auto-accept-camera-and-microphone-capture"}),
    CaseName());

struct EnumCase {
  std::function<void(TWVLoaderSettings&)> change;
  const char16_t* expectedSwitch;
};

TEST(CommandLineSwitches, EachEnumerationValueGivesItsOwnSwitch) {
  const EnumCase cases[] = {
      {[](TWVLoaderSettings& s) { s.TouchEvents = STATE_ENABLED; }, u"--touch-events=enabled"},
      {[](TWVLoaderSettings& s) { s.AutoplayPolicy = appDocumentUserActivationRequired; },
       u"--autoplay-policy=document-user-activation-required"},
      {[](TWVLoaderSettings& s) { s.AutoplayPolicy = appUserGestureRequired; },
       u"--autoplay-policy=user-gesture-required"},
      {[](TWVLoaderSettings& s) { s.DebugLog = dlEnabled; }, u"--enable-logging"},
      {[](TWVLoaderSettings& s) { s.DebugLog = dlEnabledStdOut; }, u"--enable-logging=stdout"},
      {[](TWVLoaderSettings& s) { s.DebugLogLevel = dllInfo; }, u"--log-level=0"},
      {[](TWVLoaderSettings& s) { s.DebugLogLevel = dllWarning; }, u"--log-level=1"},
      {[](TWVLoaderSettings& s) { s.DebugLogLevel = dllError; }, u"--log-level=2"},
  };
  for (const EnumCase& c : cases) {
    TWVLoaderSettings settings;
    c.change(settings);
    EXPECT_EQ(CustomCommandLineSwitches(settings),
              u"--disable-features=msEdgeRose " + std::u16string(c.expectedSwitch));
  }
}

TEST(LoaderSettings, BuiltInVersionsAreTheirFourNumbers) {
  EXPECT_EQ(DefaultTargetVersion(), u"135.0.3179.45");
  EXPECT_EQ(ExpectedLoaderVersion(), u"1.0.3179.45");
  EXPECT_EQ(TWVLoaderSettings{}.TargetCompatibleBrowserVersion, u"135.0.3179.45");
  EXPECT_EQ(TWVLoaderSettings{}.ReleaseChannels, 15u);
}

}  // namespace
}  // namespace velmoran::test
