#pragma once

// TWVLoader: finds and loads the browser runtime, resolves its entry points,
// checks versions and asks the runtime once for the environment that every
// browser of the process shares. The request is answered later, through the
// message queue, on the loader's callback face; the outcome is kept in
// Status, the error log and ErrorCode. SharedWebViewLoader is the one loader
// of the process.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/LoaderErrorReporter.h"
#include "webview/loader/RuntimeChecks.h"
#include "webview/loader/TCoreWebView2Environment.h"
#include "webview/loader/TCoreWebView2EnvironmentOptions.h"
#include "webview/loader/TWVCustomSchemeInfo.h"
#include "webview/loader/TWVLoaderSettings.h"
#include "webview/sinks/IWVLoaderEvents.h"

namespace velmoran::webview {

enum TWV2LoaderStatus : std::uint8_t {
  wvlsCreated,
  wvlsLoading,
  wvlsLoaded,
  wvlsImported,
  wvlsInitialized,
  wvlsError,
  wvlsUnloaded
};

class TWVLoader;

using TLoaderNotifyEvent = std::function<void(TWVLoader* sender)>;
using TLoaderGetCustomSchemesEvent =
    std::function<void(TWVLoader* sender, std::vector<TWVCustomSchemeInfo>& aCustomSchemes)>;
using TLoaderNewBrowserVersionAvailableEvent =
    std::function<void(TWVLoader* sender, ICoreWebView2Environment* aEnvironment)>;
using TLoaderBrowserProcessExitedEvent =
    std::function<void(TWVLoader* sender, ICoreWebView2Environment* aEnvironment,
                       ICoreWebView2BrowserProcessExitedEventArgs* aArgs)>;
using TLoaderProcessInfosChangedEvent =
    std::function<void(TWVLoader* sender, ICoreWebView2Environment* aEnvironment)>;

class TWVLoader final : public IWVLoaderEvents, public LoaderErrorReporter {
 public:
  // Every setting at its default, status wvlsCreated, an empty error log, the
  // device scale factor computed, and the thread's floating-point exceptions masked.
  explicit TWVLoader(platform::Platform& platform);
  // Destroys the environment object (its subscriptions go with it), frees the
  // loader library it loaded (wvlsUnloaded) and ends the COM it began.
  ~TWVLoader() override;
  TWVLoader(const TWVLoader&) = delete;
  TWVLoader& operator=(const TWVLoader&) = delete;

  // --- Settings, each readable and writable.
  // Start settings.
  bool SetCurrentDir() const { return FSettings.SetCurrentDir; }
  void SetSetCurrentDir(bool aValue) { FSettings.SetCurrentDir = aValue; }
  bool CheckFiles() const { return FSettings.CheckFiles; }
  void SetCheckFiles(bool aValue) { FSettings.CheckFiles = aValue; }
  bool ShowMessageDlg() const { return FSettings.ShowMessageDlg; }
  void SetShowMessageDlg(bool aValue) { FSettings.ShowMessageDlg = aValue; }
  bool InitCOMLibrary() const { return FSettings.InitCOMLibrary; }
  void SetInitCOMLibrary(bool aValue) { FSettings.InitCOMLibrary = aValue; }
  bool ReRaiseExceptions() const { return FSettings.ReRaiseExceptions; }
  void SetReRaiseExceptions(bool aValue) { FSettings.ReRaiseExceptions = aValue; }
  const std::u16string& LoaderDllPath() const { return FSettings.LoaderDllPath; }
  void SetLoaderDllPath(std::u16string aValue) { FSettings.LoaderDllPath = std::move(aValue); }
  bool AllowOldRuntime() const { return FSettings.AllowOldRuntime; }
  void SetAllowOldRuntime(bool aValue) { FSettings.AllowOldRuntime = aValue; }
  const std::u16string& BrowserExecPath() const { return FSettings.BrowserExecPath; }
  void SetBrowserExecPath(std::u16string aValue) { FSettings.BrowserExecPath = std::move(aValue); }
  const std::u16string& UserDataFolder() const { return FSettings.UserDataFolder; }
  void SetUserDataFolder(std::u16string aValue) { FSettings.UserDataFolder = std::move(aValue); }
  float ForcedDeviceScaleFactor() const { return FSettings.ForcedDeviceScaleFactor; }
  void SetForcedDeviceScaleFactor(float aValue) { FSettings.ForcedDeviceScaleFactor = aValue; }
  // Environment options.
  const std::u16string& AdditionalBrowserArguments() const { return FSettings.AdditionalBrowserArguments; }
  void SetAdditionalBrowserArguments(std::u16string aValue) {
    FSettings.AdditionalBrowserArguments = std::move(aValue);
  }
  const std::u16string& Language() const { return FSettings.Language; }
  void SetLanguage(std::u16string aValue) { FSettings.Language = std::move(aValue); }
  const std::u16string& TargetCompatibleBrowserVersion() const {
    return FSettings.TargetCompatibleBrowserVersion;
  }
  void SetTargetCompatibleBrowserVersion(std::u16string aValue) {
    FSettings.TargetCompatibleBrowserVersion = std::move(aValue);
  }
  bool AllowSingleSignOnUsingOSPrimaryAccount() const {
    return FSettings.AllowSingleSignOnUsingOSPrimaryAccount;
  }
  void SetAllowSingleSignOnUsingOSPrimaryAccount(bool aValue) {
    FSettings.AllowSingleSignOnUsingOSPrimaryAccount = aValue;
  }
  bool ExclusiveUserDataFolderAccess() const { return FSettings.ExclusiveUserDataFolderAccess; }
  void SetExclusiveUserDataFolderAccess(bool aValue) { FSettings.ExclusiveUserDataFolderAccess = aValue; }
  bool CustomCrashReportingEnabled() const { return FSettings.CustomCrashReportingEnabled; }
  void SetCustomCrashReportingEnabled(bool aValue) { FSettings.CustomCrashReportingEnabled = aValue; }
  bool EnableTrackingPrevention() const { return FSettings.EnableTrackingPrevention; }
  void SetEnableTrackingPrevention(bool aValue) { FSettings.EnableTrackingPrevention = aValue; }
  bool AreBrowserExtensionsEnabled() const { return FSettings.AreBrowserExtensionsEnabled; }
  void SetAreBrowserExtensionsEnabled(bool aValue) { FSettings.AreBrowserExtensionsEnabled = aValue; }
  std::uint32_t ChannelSearchKind() const { return FSettings.ChannelSearchKind; }
  void SetChannelSearchKind(std::uint32_t aValue) { FSettings.ChannelSearchKind = aValue; }
  std::uint32_t ReleaseChannels() const { return FSettings.ReleaseChannels; }
  void SetReleaseChannels(std::uint32_t aValue) { FSettings.ReleaseChannels = aValue; }
  std::uint32_t ScrollBarStyle() const { return FSettings.ScrollBarStyle; }
  void SetScrollBarStyle(std::uint32_t aValue) { FSettings.ScrollBarStyle = aValue; }
  // Browser switches.
  bool EnableGPU() const { return FSettings.EnableGPU; }
  void SetEnableGPU(bool aValue) { FSettings.EnableGPU = aValue; }
  const std::u16string& EnableFeatures() const { return FSettings.EnableFeatures; }
  void SetEnableFeatures(std::u16string aValue) { FSettings.EnableFeatures = std::move(aValue); }
  const std::u16string& DisableFeatures() const { return FSettings.DisableFeatures; }
  void SetDisableFeatures(std::u16string aValue) { FSettings.DisableFeatures = std::move(aValue); }
  const std::u16string& EnableBlinkFeatures() const { return FSettings.EnableBlinkFeatures; }
  void SetEnableBlinkFeatures(std::u16string aValue) { FSettings.EnableBlinkFeatures = std::move(aValue); }
  const std::u16string& DisableBlinkFeatures() const { return FSettings.DisableBlinkFeatures; }
  void SetDisableBlinkFeatures(std::u16string aValue) { FSettings.DisableBlinkFeatures = std::move(aValue); }
  const std::u16string& BlinkSettings() const { return FSettings.BlinkSettings; }
  void SetBlinkSettings(std::u16string aValue) { FSettings.BlinkSettings = std::move(aValue); }
  const std::u16string& ForceFieldTrials() const { return FSettings.ForceFieldTrials; }
  void SetForceFieldTrials(std::u16string aValue) { FSettings.ForceFieldTrials = std::move(aValue); }
  const std::u16string& ForceFieldTrialParams() const { return FSettings.ForceFieldTrialParams; }
  void SetForceFieldTrialParams(std::u16string aValue) {
    FSettings.ForceFieldTrialParams = std::move(aValue);
  }
  bool SmartScreenProtectionEnabled() const { return FSettings.SmartScreenProtectionEnabled; }
  void SetSmartScreenProtectionEnabled(bool aValue) { FSettings.SmartScreenProtectionEnabled = aValue; }
  bool AllowInsecureLocalhost() const { return FSettings.AllowInsecureLocalhost; }
  void SetAllowInsecureLocalhost(bool aValue) { FSettings.AllowInsecureLocalhost = aValue; }
  bool DisableWebSecurity() const { return FSettings.DisableWebSecurity; }
  void SetDisableWebSecurity(bool aValue) { FSettings.DisableWebSecurity = aValue; }
  TWVState TouchEvents() const { return FSettings.TouchEvents; }
  void SetTouchEvents(TWVState aValue) { FSettings.TouchEvents = aValue; }
  bool HyperlinkAuditing() const { return FSettings.HyperlinkAuditing; }
  void SetHyperlinkAuditing(bool aValue) { FSettings.HyperlinkAuditing = aValue; }
  TWVAutoplayPolicy AutoplayPolicy() const { return FSettings.AutoplayPolicy; }
  void SetAutoplayPolicy(TWVAutoplayPolicy aValue) { FSettings.AutoplayPolicy = aValue; }
  bool MuteAudio() const { return FSettings.MuteAudio; }
  void SetMuteAudio(bool aValue) { FSettings.MuteAudio = aValue; }
  const std::u16string& DefaultEncoding() const { return FSettings.DefaultEncoding; }
  void SetDefaultEncoding(std::u16string aValue) { FSettings.DefaultEncoding = std::move(aValue); }
  bool KioskPrinting() const { return FSettings.KioskPrinting; }
  void SetKioskPrinting(bool aValue) { FSettings.KioskPrinting = aValue; }
  TWVProxySettings& ProxySettings() { return FSettings.ProxySettings; }
  const TWVProxySettings& ProxySettings() const { return FSettings.ProxySettings; }
  bool AllowFileAccessFromFiles() const { return FSettings.AllowFileAccessFromFiles; }
  void SetAllowFileAccessFromFiles(bool aValue) { FSettings.AllowFileAccessFromFiles = aValue; }
  bool AllowRunningInsecureContent() const { return FSettings.AllowRunningInsecureContent; }
  void SetAllowRunningInsecureContent(bool aValue) { FSettings.AllowRunningInsecureContent = aValue; }
  bool DisableBackgroundNetworking() const { return FSettings.DisableBackgroundNetworking; }
  void SetDisableBackgroundNetworking(bool aValue) { FSettings.DisableBackgroundNetworking = aValue; }
  std::int32_t RemoteDebuggingPort() const { return FSettings.RemoteDebuggingPort; }
  void SetRemoteDebuggingPort(std::int32_t aValue) { FSettings.RemoteDebuggingPort = aValue; }
  const std::u16string& RemoteAllowOrigins() const { return FSettings.RemoteAllowOrigins; }
  void SetRemoteAllowOrigins(std::u16string aValue) { FSettings.RemoteAllowOrigins = std::move(aValue); }
  TWV2DebugLog DebugLog() const { return FSettings.DebugLog; }
  void SetDebugLog(TWV2DebugLog aValue) { FSettings.DebugLog = aValue; }
  TWV2DebugLogLevel DebugLogLevel() const { return FSettings.DebugLogLevel; }
  void SetDebugLogLevel(TWV2DebugLogLevel aValue) { FSettings.DebugLogLevel = aValue; }
  const std::u16string& JavaScriptFlags() const { return FSettings.JavaScriptFlags; }
  void SetJavaScriptFlags(std::u16string aValue) { FSettings.JavaScriptFlags = std::move(aValue); }
  bool DisableEdgePitchNotification() const { return FSettings.DisableEdgePitchNotification; }
  void SetDisableEdgePitchNotification(bool aValue) { FSettings.DisableEdgePitchNotification = aValue; }
  const std::u16string& TreatInsecureOriginAsSecure() const { return FSettings.TreatInsecureOriginAsSecure; }
  void SetTreatInsecureOriginAsSecure(std::u16string aValue) {
    FSettings.TreatInsecureOriginAsSecure = std::move(aValue);
  }
  bool OpenOfficeDocumentsInWebViewer() const { return FSettings.OpenOfficeDocumentsInWebViewer; }
  void SetOpenOfficeDocumentsInWebViewer(bool aValue) { FSettings.OpenOfficeDocumentsInWebViewer = aValue; }
  bool MicrosoftSignIn() const { return FSettings.MicrosoftSignIn; }
  void SetMicrosoftSignIn(bool aValue) { FSettings.MicrosoftSignIn = aValue; }
  TWVState TLS13HybridizedKyberSupport() const { return FSettings.TLS13HybridizedKyberSupport; }
  void SetTLS13HybridizedKyberSupport(TWVState aValue) { FSettings.TLS13HybridizedKyberSupport = aValue; }
  const std::u16string& UserAgent() const { return FSettings.UserAgent; }
  void SetUserAgent(std::u16string aValue) { FSettings.UserAgent = std::move(aValue); }
  bool AutoAcceptCamAndMicCapture() const { return FSettings.AutoAcceptCamAndMicCapture; }
  void SetAutoAcceptCamAndMicCapture(bool aValue) { FSettings.AutoAcceptCamAndMicCapture = aValue; }

  const TWVLoaderSettings& Settings() const { return FSettings; }

  // --- Start.

  // COM, file checks, library, entry points, runtime version, environment
  // request, stopping at the first that fails. True when the runtime accepted
  // the request; its answer arrives later.
  bool StartWebView2();
  // The environment's browser process has ended, and with it the environment:
  // no browser can be made from it any more. Lets go of it and asks the
  // runtime for a new one with the same settings, as the start did. True when
  // the runtime accepted the request; the answer arrives as
  // OnEnvironmentCreated or OnInitializationError. Only an Initialized loader
  // renews; any other answers false and changes nothing.
  bool RenewEnvironment();
  // Sets aCompRslt to 0, then, once the entry points are resolved, to -1, 0
  // or 1 as aVersion1 is lower than, equal to or higher than aVersion2.
  bool CompareVersions(const std::u16string& aVersion1, const std::u16string& aVersion2,
                       std::int32_t& aCompRslt);
  void UpdateDeviceScaleFactor();

  // --- State.
  TWV2LoaderStatus Status() const { return FStatus; }
  bool Initialized() const { return FStatus == wvlsInitialized; }
  bool InitializationError() const { return FStatus == wvlsError; }
  // The error log as one text, each line followed by CR LF.
  std::u16string ErrorMessage() const;
  const std::vector<std::u16string>& ErrorLog() const { return FErrorLog; }
  std::int64_t ErrorCode() const { return FErrorCode; }
  float DeviceScaleFactor() const { return FDeviceScaleFactor; }

  // The shared environment's base interface once the request was answered; none before.
  ICoreWebView2Environment* Environment() const;
  bool SupportsCompositionController() const;
  bool SupportsControllerOptions() const;
  ComPtr<ICoreWebView2ProcessInfoCollection> ProcessInfos() const;
  std::u16string FailureReportFolderPath() const;
  // Only when Initialized; empty otherwise or on failure.
  std::u16string AvailableBrowserVersion();
  std::u16string AvailableBrowserVersionWithOptions();
  std::u16string InstalledRuntimeVersion();
  std::u16string CustomCommandLineSwitches() const;

  // --- Error reporting (also the runtime checks' reporter).
  void AppendErrorLog(std::u16string_view aText) override;
  // The whole error log in a topmost error box without owner, when ShowMessageDlg is set.
  void ShowErrorDialog() override;

  // --- Events, raised with the loader as sender; empty ones are not raised.
  TLoaderNotifyEvent OnEnvironmentCreated;
  TLoaderNotifyEvent OnInitializationError;
  TLoaderGetCustomSchemesEvent OnGetCustomSchemes;
  TLoaderNewBrowserVersionAvailableEvent OnNewBrowserVersionAvailable;
  TLoaderBrowserProcessExitedEvent OnBrowserProcessExited;
  TLoaderProcessInfosChangedEvent OnProcessInfosChanged;

  // --- The callback face the runtime's answers reach the loader through.
  HRESULT HandleEnvironmentCompleted(HRESULT errorCode,
                                     ICoreWebView2Environment* createdEnvironment) override;
  HRESULT HandleNewBrowserVersionAvailable(ICoreWebView2Environment* sender, IUnknown* args) override;
  HRESULT HandleBrowserProcessExited(ICoreWebView2Environment* sender,
                                     ICoreWebView2BrowserProcessExitedEventArgs* args) override;
  HRESULT HandleProcessInfosChanged(ICoreWebView2Environment* sender, IUnknown* args) override;

 private:
  void SetErrorStatus() override { FStatus = wvlsError; }

  bool InitializeCom();
  bool LoadWebView2Library();
  bool LoadLibProcedures();
  bool CheckRuntimeVersion();
  bool CreateEnvironment();
  ComPtr<TCoreWebView2EnvironmentOptions> MakeOptions(const std::vector<TWVCustomSchemeInfo>& aSchemes) const;
  std::u16string LibraryName() const;

  platform::Platform& FPlatform;
  TWVLoaderSettings FSettings;
  RuntimeChecks FChecks;
  TWV2LoaderStatus FStatus = wvlsCreated;
  std::vector<std::u16string> FErrorLog;
  std::int64_t FErrorCode = 0;
  platform::Handle FLibHandle = 0;
  std::unique_ptr<TCoreWebView2Environment> FCoreWebView2Environment;
  bool FComInitialized = false;
  float FDeviceScaleFactor = 1.0f;
};

// The one loader of the process: none before start-up and after the end.
TWVLoader* SharedWebViewLoader();
// Whether the shared loader, if any, lets exceptions of its steps through.
bool SharedLoaderReRaisesExceptions();
TWVLoader& CreateSharedWebViewLoader(platform::Platform& platform);
// Clears the shared reference, then destroys the loader.
void DestroySharedWebViewLoader();

}  // namespace velmoran::webview
