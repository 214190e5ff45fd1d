#pragma once

// Every setting of the runtime loader with its default: the start settings,
// and the environment and switch settings the browser switches and the
// environment options are built from. The loader owns one record; start-up
// changes a few fields before the loader starts.

#include <cstdint>
#include <string>

#include "webview/loader/FourPartVersion.h"

namespace velmoran::webview {

enum TWVState : std::uint8_t { STATE_DEFAULT, STATE_ENABLED, STATE_DISABLED };

enum TWVAutoplayPolicy : std::uint8_t {
  appDefault,
  appDocumentUserActivationRequired,
  appNoUserGestureRequired,
  appUserGestureRequired
};

enum TWV2DebugLog : std::uint8_t { dlDisabled, dlEnabled, dlEnabledStdOut, dlEnabledStdErr };

enum TWV2DebugLogLevel : std::uint8_t { dllDefault, dllInfo, dllWarning, dllError, dllFatal };

// The runtime version this program is built against, and the loader library
// version it expects beside the executable.
inline constexpr FourPartVersion kDefaultTargetVersion{135, 0, 3179, 45};
inline constexpr FourPartVersion kExpectedLoaderVersion{1, 0, 3179, 45};

// "135.0.3179.45"
std::u16string DefaultTargetVersion();
// "1.0.3179.45"
std::u16string ExpectedLoaderVersion();

struct TWVProxySettings {
  bool NoProxyServer = false;
  bool AutoDetect = false;
  std::u16string ByPassList;
  std::u16string PacUrl;
  std::u16string Server;
};

struct TWVLoaderSettings {
  // Start settings.
  bool SetCurrentDir = true;
  bool CheckFiles = true;
  bool ShowMessageDlg = true;
  bool InitCOMLibrary = false;
  bool ReRaiseExceptions = false;
  std::u16string LoaderDllPath;  // empty: "WebView2Loader.dll"
  bool AllowOldRuntime = true;
  std::u16string BrowserExecPath;  // empty: the installed runtime
  std::u16string UserDataFolder;   // empty: the runtime chooses
  float ForcedDeviceScaleFactor = 0.0f;

  // Environment options.
  std::u16string AdditionalBrowserArguments;
  std::u16string Language;
  std::u16string TargetCompatibleBrowserVersion = DefaultTargetVersion();
  bool AllowSingleSignOnUsingOSPrimaryAccount = false;
  bool ExclusiveUserDataFolderAccess = false;
  bool CustomCrashReportingEnabled = false;
  bool EnableTrackingPrevention = true;
  bool AreBrowserExtensionsEnabled = false;
  std::uint32_t ChannelSearchKind = 0;
  std::uint32_t ReleaseChannels = 15;
  std::uint32_t ScrollBarStyle = 0;

  // Browser switches.
  bool EnableGPU = true;
  std::u16string EnableFeatures;
  std::u16string DisableFeatures;
  std::u16string EnableBlinkFeatures;
  std::u16string DisableBlinkFeatures;
  std::u16string BlinkSettings;
  std::u16string ForceFieldTrials;
  std::u16string ForceFieldTrialParams;
  bool SmartScreenProtectionEnabled = true;
  bool AllowInsecureLocalhost = false;
  bool DisableWebSecurity = false;
  TWVState TouchEvents = STATE_DEFAULT;
  bool HyperlinkAuditing = true;
  TWVAutoplayPolicy AutoplayPolicy = appDefault;
  bool MuteAudio = false;
  std::u16string DefaultEncoding;
  bool KioskPrinting = false;
  TWVProxySettings ProxySettings;
  bool AllowFileAccessFromFiles = false;
  bool AllowRunningInsecureContent = false;
  bool DisableBackgroundNetworking = false;
  std::int32_t RemoteDebuggingPort = 0;
  std::u16string RemoteAllowOrigins;
  TWV2DebugLog DebugLog = dlDisabled;
  TWV2DebugLogLevel DebugLogLevel = dllDefault;
  std::u16string JavaScriptFlags;
  bool DisableEdgePitchNotification = true;
  std::u16string TreatInsecureOriginAsSecure;
  bool OpenOfficeDocumentsInWebViewer = false;
  bool MicrosoftSignIn = false;
  TWVState TLS13HybridizedKyberSupport = STATE_DEFAULT;
  std::u16string UserAgent;
  bool AutoAcceptCamAndMicCapture = false;
};

}  // namespace velmoran::webview
