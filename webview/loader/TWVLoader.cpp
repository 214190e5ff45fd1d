#include "webview/loader/TWVLoader.h"

#include <utility>

#include "base/Text.h"
#include "platform/Com.h"
#include "platform/WindowManager.h"
#include "webview/loader/CommandLineSwitches.h"
#include "webview/loader/CurrentDirectoryScope.h"
#include "webview/loader/ExceptionPolicy.h"
#include "webview/loader/FloatingPointMask.h"
#include "webview/loader/LoaderErrorTexts.h"
#include "webview/loader/LoaderPaths.h"
#include "webview/loader/RuntimeEntryPoints.h"
#include "webview/loader/TCoreWebView2EnvironmentCompletedHandler.h"

namespace velmoran::webview {
namespace {

std::unique_ptr<TWVLoader>& Shared() {
  static std::unique_ptr<TWVLoader> loader;
  return loader;
}

std::u16string ExecutableFolderWithDelimiter(platform::Process& process) {
  std::u16string path;
  if (!GetExecutablePath(process, path)) return {};
  return IncludeTrailingPathDelimiter(ExtractFileDir(path));
}

}  // namespace

TWVLoader::TWVLoader(platform::Platform& platform)
    : FPlatform(platform), FChecks(platform, FSettings, *this) {
  MaskFloatingPointExceptions();
  UpdateDeviceScaleFactor();
}

TWVLoader::~TWVLoader() {
  // A request still on its way must find the face closed, not a half-destroyed loader.
  DetachSinks();
  FCoreWebView2Environment.reset();
  if (FLibHandle != 0) {
    FPlatform.modules().FreeLibrary(FLibHandle);
    FLibHandle = 0;
    // The entry points lived in the library just released.
    WebView2EntryPoints() = RuntimeEntryPoints{};
    FStatus = wvlsUnloaded;
  }
  if (FComInitialized) {
    FComInitialized = false;
    FPlatform.com().CoUninitialize();
  }
}

void TWVLoader::UpdateDeviceScaleFactor() {
  if (FSettings.ForcedDeviceScaleFactor != 0.0f) {
    FDeviceScaleFactor = FSettings.ForcedDeviceScaleFactor;
    return;
  }
  const std::int32_t pixelsPerInch = FPlatform.windows().GetDeviceCaps(platform::kLogPixelsX);
  // A screen that tells nothing is taken at the standard 96 pixels per inch.
  FDeviceScaleFactor = pixelsPerInch > 0 ? static_cast<float>(pixelsPerInch) / 96.0f : 1.0f;
}

std::u16string TWVLoader::ErrorMessage() const {
  std::u16string message;
  for (const std::u16string& line : FErrorLog) {
    message += line;
    message += u"\r\n";
  }
  return message;
}

void TWVLoader::AppendErrorLog(std::u16string_view aText) { FErrorLog.emplace_back(aText); }

void TWVLoader::ShowErrorDialog() {
  if (!FSettings.ShowMessageDlg) return;
  FPlatform.windows().MessageBoxW(0, ErrorMessage(), kErrorDialogCaption,
                                  platform::kMbIconError | platform::kMbTopMost);
}

bool TWVLoader::StartWebView2() {
  if (FSettings.InitCOMLibrary && !FComInitialized && !InitializeCom()) return false;
  // The file checks switch the current directory outside any guard: a failure
  // to do so reaches the caller.
  if (FSettings.CheckFiles && !FChecks.CheckRuntimeFiles()) return false;
  return LoadWebView2Library() && LoadLibProcedures() && CheckRuntimeVersion() && CreateEnvironment();
}

bool TWVLoader::RenewEnvironment() {
  if (!Initialized()) return false;
  FCoreWebView2Environment.reset();
  // Back to where the start stood before its request.
  FStatus = wvlsImported;
  return CreateEnvironment();
}

bool TWVLoader::InitializeCom() {
  const HRESULT result =
      static_cast<HRESULT>(FPlatform.com().CoInitializeEx(platform::kCoInitApartmentThreaded));
  if (result == S_OK || result == S_FALSE) {
    FComInitialized = true;
    return true;
  }
  // The status stays where it was: COM is the caller's matter, not the runtime's.
  AppendErrorLog(CoInitializeExErrorText(result));
  ShowErrorDialog();
  return false;
}

std::u16string TWVLoader::LibraryName() const {
  return FSettings.LoaderDllPath.empty() ? std::u16string(kLoaderLibrary) : FSettings.LoaderDllPath;
}

bool TWVLoader::LoadWebView2Library() {
  if (FLibHandle != 0) return true;
  return GuardStep(FSettings.ReRaiseExceptions, false, [this] {
    platform::Modules& modules = FPlatform.modules();
    CurrentDirectoryScope inExecutableFolder(FPlatform.files(), FSettings.SetCurrentDir,
                                             ExecutableFolderWithDelimiter(FPlatform.process()));
    FStatus = wvlsLoading;
    const std::u16string name = LibraryName();
    FLibHandle = modules.LoadLibraryW(name);
    if (FLibHandle != 0) {
      FStatus = wvlsLoaded;
      return true;
    }
    const std::uint32_t error = modules.GetLastError();
    FStatus = wvlsError;
    FErrorCode = static_cast<std::int64_t>(error);
    AppendErrorLog(kErrorLoadingPrefix + name);
    AppendErrorLog(ErrorCodeText(error));
    // The system's text ends in a line break of its own; the log adds its own.
    AppendErrorLog(TrimSpacesAndControls(FPlatform.locale().FormatMessageW(error)));
    ShowErrorDialog();
    return false;
  });
}

bool TWVLoader::LoadLibProcedures() {
  if (FLibHandle == 0) return false;
  return GuardStep(FSettings.ReRaiseExceptions, false, [this] {
    platform::Modules& modules = FPlatform.modules();
    RuntimeEntryPoints found;
    found.CreateCoreWebView2EnvironmentWithOptions =
        reinterpret_cast<CreateCoreWebView2EnvironmentWithOptionsFunc>(
            modules.GetProcAddress(FLibHandle, kCreateCoreWebView2EnvironmentWithOptionsExport));
    found.CreateCoreWebView2Environment = reinterpret_cast<CreateCoreWebView2EnvironmentFunc>(
        modules.GetProcAddress(FLibHandle, kCreateCoreWebView2EnvironmentExport));
    found.GetAvailableCoreWebView2BrowserVersionString =
        reinterpret_cast<GetAvailableCoreWebView2BrowserVersionStringFunc>(
            modules.GetProcAddress(FLibHandle, kGetAvailableCoreWebView2BrowserVersionStringExport));
    found.GetAvailableCoreWebView2BrowserVersionStringWithOptions =
        reinterpret_cast<GetAvailableCoreWebView2BrowserVersionStringWithOptionsFunc>(modules.GetProcAddress(
            FLibHandle, kGetAvailableCoreWebView2BrowserVersionStringWithOptionsExport));
    found.CompareBrowserVersions = reinterpret_cast<CompareBrowserVersionsFunc>(
        modules.GetProcAddress(FLibHandle, kCompareBrowserVersionsExport));
    if (found.CreateCoreWebView2EnvironmentWithOptions == nullptr ||
        found.CreateCoreWebView2Environment == nullptr ||
        found.GetAvailableCoreWebView2BrowserVersionString == nullptr ||
        found.GetAvailableCoreWebView2BrowserVersionStringWithOptions == nullptr ||
        found.CompareBrowserVersions == nullptr) {
      FStatus = wvlsError;
      AppendErrorLog(kLibraryProceduresError);
      ShowErrorDialog();
      return false;
    }
    WebView2EntryPoints() = found;
    // A loader already answered keeps its environment, and so its status.
    if (FStatus != wvlsInitialized) FStatus = wvlsImported;
    return true;
  });
}

bool TWVLoader::CheckRuntimeVersion() {
  const bool recentEnough = GuardStep(FSettings.ReRaiseExceptions, false, [this] {
    // The built-in version decides, whatever TargetCompatibleBrowserVersion holds.
    if (!FSettings.BrowserExecPath.empty()) {
      return FChecks.IsFileVersionAtLeast(
          IncludeTrailingPathDelimiter(FSettings.BrowserExecPath) + kBrowserExecutable,
          static_cast<std::uint16_t>(kDefaultTargetVersion.major),
          static_cast<std::uint16_t>(kDefaultTargetVersion.minor),
          static_cast<std::uint16_t>(kDefaultTargetVersion.build),
          static_cast<std::uint16_t>(kDefaultTargetVersion.revision));
    }
    std::int32_t comparison = 0;
    return CompareVersions(InstalledRuntimeVersion(), DefaultTargetVersion(), comparison) && comparison >= 0;
  });
  if (recentEnough) return true;
  AppendErrorLog(kOldRuntimeWarning);
  if (FSettings.AllowOldRuntime) return true;
  FStatus = wvlsError;
  return false;
}

ComPtr<TCoreWebView2EnvironmentOptions> TWVLoader::MakeOptions(
    const std::vector<TWVCustomSchemeInfo>& aSchemes) const {
  return MakeEnvironmentOptions(FPlatform.com(), FSettings, CustomCommandLineSwitches(), aSchemes);
}

bool TWVLoader::CreateEnvironment() {
  if (FStatus != wvlsImported || (FCoreWebView2Environment && FCoreWebView2Environment->Initialized()))
    return false;
  const auto create = WebView2EntryPoints().CreateCoreWebView2EnvironmentWithOptions;
  if (create == nullptr) return false;
  return GuardStep(FSettings.ReRaiseExceptions, false, [this, create] {
    std::vector<TWVCustomSchemeInfo> schemes;
    if (OnGetCustomSchemes) OnGetCustomSchemes(this, schemes);
    auto handler =
        MakeComObject<TCoreWebView2EnvironmentCompletedHandler>(static_cast<IWVLoaderEvents*>(this));
    ComPtr<TCoreWebView2EnvironmentOptions> options = MakeOptions(schemes);
    // The runtime takes its own references to the options and the handler;
    // ours go at the end of this step.
    const HRESULT result = create(AsWideText(FSettings.BrowserExecPath), AsWideText(FSettings.UserDataFolder),
                                  options.Get(), handler.Get());
    if (SUCCEEDED(result)) return true;
    FStatus = wvlsError;
    FErrorCode = static_cast<std::int64_t>(result);
    AppendErrorLog(kEnvironmentRequestError);
    AppendErrorLog(ErrorCodeText(result));
    AppendErrorLog(EnvironmentErrorText(result));
    ShowErrorDialog();
    return false;
  });
}

HRESULT TWVLoader::HandleEnvironmentCompleted(HRESULT errorCode,
                                              ICoreWebView2Environment* createdEnvironment) {
  if (SUCCEEDED(errorCode) && createdEnvironment != nullptr) {
    FCoreWebView2Environment.reset();
    FCoreWebView2Environment =
        std::make_unique<TCoreWebView2Environment>(FPlatform.com(), createdEnvironment);
    FCoreWebView2Environment->AddAllLoaderEvents(this);
    FStatus = wvlsInitialized;
    if (OnEnvironmentCreated) OnEnvironmentCreated(this);
    return S_OK;
  }
  FStatus = wvlsError;
  FErrorCode = static_cast<std::int64_t>(errorCode);
  AppendErrorLog(kEnvironmentAnswerError);
  AppendErrorLog(ErrorCodeText(errorCode));
  AppendErrorLog(EnvironmentErrorText(errorCode));
  if (OnInitializationError) OnInitializationError(this);
  return S_OK;
}

HRESULT TWVLoader::HandleNewBrowserVersionAvailable(ICoreWebView2Environment* sender, IUnknown* /*args*/) {
  if (OnNewBrowserVersionAvailable) OnNewBrowserVersionAvailable(this, sender);
  return S_OK;
}

HRESULT TWVLoader::HandleBrowserProcessExited(ICoreWebView2Environment* sender,
                                              ICoreWebView2BrowserProcessExitedEventArgs* args) {
  if (OnBrowserProcessExited) OnBrowserProcessExited(this, sender, args);
  return S_OK;
}

HRESULT TWVLoader::HandleProcessInfosChanged(ICoreWebView2Environment* sender, IUnknown* /*args*/) {
  if (OnProcessInfosChanged) OnProcessInfosChanged(this, sender);
  return S_OK;
}

bool TWVLoader::CompareVersions(const std::u16string& aVersion1, const std::u16string& aVersion2,
                                std::int32_t& aCompRslt) {
  aCompRslt = 0;
  const auto compare = WebView2EntryPoints().CompareBrowserVersions;
  if ((FStatus != wvlsImported && FStatus != wvlsInitialized) || compare == nullptr) return false;
  int result = 0;
  if (FAILED(compare(AsWideText(aVersion1), AsWideText(aVersion2), &result))) return false;
  aCompRslt = result < 0 ? -1 : (result > 0 ? 1 : 0);
  return true;
}

ICoreWebView2Environment* TWVLoader::Environment() const {
  return FCoreWebView2Environment && FCoreWebView2Environment->Initialized()
             ? FCoreWebView2Environment->BaseIntf()
             : nullptr;
}

bool TWVLoader::SupportsCompositionController() const {
  return FCoreWebView2Environment && FCoreWebView2Environment->SupportsCompositionController();
}

bool TWVLoader::SupportsControllerOptions() const {
  return FCoreWebView2Environment && FCoreWebView2Environment->SupportsControllerOptions();
}

ComPtr<ICoreWebView2ProcessInfoCollection> TWVLoader::ProcessInfos() const {
  return FCoreWebView2Environment ? FCoreWebView2Environment->ProcessInfos()
                                  : ComPtr<ICoreWebView2ProcessInfoCollection>();
}

std::u16string TWVLoader::FailureReportFolderPath() const {
  return FCoreWebView2Environment ? FCoreWebView2Environment->FailureReportFolderPath() : std::u16string();
}

std::u16string TWVLoader::AvailableBrowserVersion() {
  const auto query = WebView2EntryPoints().GetAvailableCoreWebView2BrowserVersionString;
  if (!Initialized() || query == nullptr) return {};
  CoTaskMemText version(FPlatform.com());
  if (FAILED(query(AsWideText(FSettings.BrowserExecPath), version.Put()))) return {};
  return version.ToU16String();
}

std::u16string TWVLoader::AvailableBrowserVersionWithOptions() {
  const auto query = WebView2EntryPoints().GetAvailableCoreWebView2BrowserVersionStringWithOptions;
  if (!Initialized() || query == nullptr) return {};
  ComPtr<TCoreWebView2EnvironmentOptions> options = MakeOptions({});
  CoTaskMemText version(FPlatform.com());
  if (FAILED(query(AsWideText(FSettings.BrowserExecPath), options.Get(), version.Put()))) return {};
  return version.ToU16String();
}

std::u16string TWVLoader::InstalledRuntimeVersion() { return FChecks.InstalledRuntimeVersion(); }

std::u16string TWVLoader::CustomCommandLineSwitches() const {
  return webview::CustomCommandLineSwitches(FSettings);
}

TWVLoader* SharedWebViewLoader() { return Shared().get(); }

bool SharedLoaderReRaisesExceptions() {
  const TWVLoader* loader = SharedWebViewLoader();
  return loader != nullptr && loader->ReRaiseExceptions();
}

TWVLoader& CreateSharedWebViewLoader(platform::Platform& platform) {
  DestroySharedWebViewLoader();
  Shared() = std::make_unique<TWVLoader>(platform);
  return *Shared();
}

void DestroySharedWebViewLoader() {
  std::unique_ptr<TWVLoader> loader = std::move(Shared());  // the reference is empty before the loader goes
  loader.reset();
}

}  // namespace velmoran::webview
