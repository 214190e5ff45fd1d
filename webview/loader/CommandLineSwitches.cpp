#include "webview/loader/CommandLineSwitches.h"

#include <charconv>

#include "base/Text.h"

namespace velmoran::webview {

namespace {

void AddFeature(std::u16string& list, std::u16string_view feature) {
  if (!list.empty()) list += u',';
  list += feature;
}

std::u16string EnabledFeatures(const TWVLoaderSettings& settings) {
  std::u16string list = settings.EnableFeatures;
  if (settings.OpenOfficeDocumentsInWebViewer) AddFeature(list, u"msOpenOfficeDocumentsInWebViewer");
  if (settings.MicrosoftSignIn) AddFeature(list, u"msSingleSignOnOSForPrimaryAccountIsShared");
  if (settings.TLS13HybridizedKyberSupport == STATE_ENABLED) AddFeature(list, u"PostQuantumKyber");
  return list;
}

std::u16string DisabledFeatures(const TWVLoaderSettings& settings) {
  std::u16string list = settings.DisableFeatures;
  if (!settings.SmartScreenProtectionEnabled) AddFeature(list, u"msSmartScreenProtection");
  if (settings.DisableEdgePitchNotification) AddFeature(list, u"msEdgeRose");
  if (settings.TLS13HybridizedKyberSupport == STATE_DISABLED) AddFeature(list, u"PostQuantumKyber");
  return list;
}

// Appends `name` + `value` + " " when the value is not empty.
void AddValueSwitch(std::u16string& switches, std::u16string_view name, std::u16string_view value) {
  if (value.empty()) return;
  switches += name;
  switches += value;
  switches += u' ';
}

}  // namespace

std::u16string ScaleFactorText(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                    std::chars_format::general, 15);
  return AsciiToUtf16(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

std::u16string CustomCommandLineSwitches(const TWVLoaderSettings& settings) {
  std::u16string switches;
  if (!settings.EnableGPU) switches += u"--disable-gpu --disable-gpu-compositing ";
  AddValueSwitch(switches, u"--enable-features=", EnabledFeatures(settings));
  AddValueSwitch(switches, u"--disable-features=", DisabledFeatures(settings));
  AddValueSwitch(switches, u"--enable-blink-features=", settings.EnableBlinkFeatures);
  AddValueSwitch(switches, u"--disable-blink-features=", settings.DisableBlinkFeatures);
  AddValueSwitch(switches, u"--blink-settings=", settings.BlinkSettings);
  AddValueSwitch(switches, u"--force-fieldtrials=", settings.ForceFieldTrials);
  AddValueSwitch(switches, u"--force-fieldtrial-params=", settings.ForceFieldTrialParams);
  if (settings.AllowInsecureLocalhost) switches += u"--allow-insecure-localhost ";
  if (settings.DisableWebSecurity) switches += u"--disable-web-security ";

  switch (settings.TouchEvents) {
    case STATE_ENABLED:
      switches += u"--touch-events=enabled ";
      break;
    case STATE_DISABLED:
      switches += u"--touch-events=disabled ";
      break;
    case STATE_DEFAULT:
      break;
  }
  if (!settings.HyperlinkAuditing) switches += u"--no-pings ";
  switch (settings.AutoplayPolicy) {
    case appDocumentUserActivationRequired:
      switches += u"--autoplay-policy=document-user-activation-required ";
      break;
    case appNoUserGestureRequired:
      switches += u"--autoplay-policy=no-user-gesture-required ";
      break;
    case appUserGestureRequired:
      switches += u"--autoplay-policy=user-gesture-required ";
      break;
    case appDefault:
      break;
  }
  if (settings.MuteAudio) switches += u"--mute-audio ";
  AddValueSwitch(switches, u"--default-encoding=", settings.DefaultEncoding);
  if (settings.KioskPrinting) switches += u"--kiosk-printing ";

  const TWVProxySettings& proxy = settings.ProxySettings;
  if (proxy.NoProxyServer) {
    switches += u"--no-proxy-server ";
  } else {
    if (proxy.AutoDetect) switches += u"--proxy-auto-detect ";
    AddValueSwitch(switches, u"--proxy-bypass-list=", proxy.ByPassList);
    AddValueSwitch(switches, u"--proxy-pac-url=", proxy.PacUrl);
    AddValueSwitch(switches, u"--proxy-server=", proxy.Server);
  }

  if (settings.AllowFileAccessFromFiles) switches += u"--allow-file-access-from-files ";
  if (settings.AllowRunningInsecureContent) switches += u"--allow-running-insecure-content ";
  if (settings.DisableBackgroundNetworking) switches += u"--disable-background-networking ";
  if (settings.ForcedDeviceScaleFactor != 0.0f) {
    AddValueSwitch(switches, u"--force-device-scale-factor=",
                   ScaleFactorText(settings.ForcedDeviceScaleFactor));
  }
  if (settings.RemoteDebuggingPort > 0) {
    AddValueSwitch(switches, u"--remote-debugging-port=", DecimalText(settings.RemoteDebuggingPort));
  }
  AddValueSwitch(switches, u"--remote-allow-origins=", settings.RemoteAllowOrigins);

  switch (settings.DebugLog) {
    case dlEnabled:
      switches += u"--enable-logging ";
      break;
    case dlEnabledStdOut:
      switches += u"--enable-logging=stdout ";
      break;
    case dlEnabledStdErr:
      switches += u"--enable-logging=stderr ";
      break;
    case dlDisabled:
      break;
  }
  switch (settings.DebugLogLevel) {
    case dllInfo:
      switches += u"--log-level=0 ";
      break;
    case dllWarning:
      switches += u"--log-level=1 ";
      break;
    case dllError:
      switches += u"--log-level=2 ";
      break;
    case dllFatal:
      switches += u"--log-level=3 ";
      break;
    case dllDefault:
      break;
  }
  AddValueSwitch(switches, u"--unsafely-treat-insecure-origin-as-secure=",
                 settings.TreatInsecureOriginAsSecure);
  if (settings.AutoAcceptCamAndMicCapture) switches += u"--auto-accept-camera-and-microphone-capture ";
  if (!settings.JavaScriptFlags.empty()) switches += u"--js-flags=\"" + settings.JavaScriptFlags + u"\" ";
  if (!settings.UserAgent.empty()) switches += u"--user-agent=\"" + settings.UserAgent + u"\" ";

  if (settings.AdditionalBrowserArguments.empty()) return std::u16string(TrimSpacesAndControls(switches));
  // The additional arguments follow the space that ends the last switch and
  // keep their own spacing.
  return switches + settings.AdditionalBrowserArguments;
}

}  // namespace velmoran::webview
