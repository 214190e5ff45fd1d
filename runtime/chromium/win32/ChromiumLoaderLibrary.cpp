// "WebView2Loader.dll" of the Chromium runtime: the loader library's five
// exports, under their plain names (WebView2Loader.def). An environment
// request starts Debian's Chromium; its answer, and every later completion
// and event, comes through the calling thread's message queue.

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "base/Text.h"
#include "platform/win32/WideText.h"
#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "runtime/chromium/win32/ChromiumEnvironment.h"
#include "runtime/chromium/win32/ProfilePreferencesFile.h"
#include "runtime/chromium/win32/TaskMemText.h"
#include "runtime/chromium/win32/Trace.h"
#include "runtime/chromium/win32/UnixProgram.h"
#include "runtime/chromium/win32/UnixShell.h"
#include "runtime/common/BrowserVersionOrder.h"
#include "webview/abi/WebView2Exports.h"

namespace {

using namespace velmoran::runtime::chromium;
using velmoran::runtime::UiThreadQueue;
using velmoran::webview::ComPtr;
using velmoran::webview::MakeComObject;

HINSTANCE g_module = nullptr;
std::shared_ptr<UiThreadQueue>* g_queue = nullptr;

constexpr char kChromium[] = "/usr/bin/chromium";

std::shared_ptr<UiThreadQueue> Queue() {
  if (g_queue == nullptr)
    g_queue = new std::shared_ptr<UiThreadQueue>(
        std::make_shared<UiThreadQueue>(g_module, L"VelmoranChromiumRuntimeQueue"));
  return *g_queue;
}

std::u16string OptionText(ICoreWebView2EnvironmentOptions* options,
                          HRESULT (WV2_STDCALL ICoreWebView2EnvironmentOptions::*getter)(LPWSTR*)) {
  if (options == nullptr) return {};
  LPWSTR text = nullptr;
  std::u16string value;
  if (SUCCEEDED((options->*getter)(&text)) && text != nullptr) value = std::u16string(ReadText(text));
  ::CoTaskMemFree(text);
  return value;
}

std::u16string ExecutablePath() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return std::u16string(path.begin(), path.end());
}

// Creates the folder and the ones above it; an existing folder is fine.
void CreateFolders(const std::u16string& folder) {
  for (std::size_t at = 0; at != std::u16string::npos;) {
    at = folder.find(u'\\', at + 1);
    const std::u16string part = folder.substr(0, at);
    if (part.size() > 3) ::CreateDirectoryW(velmoran::platform::win32::AsWide(part), nullptr);
  }
}

// The user's Downloads folder, or one in the user data folder when there is no user profile.
std::u16string UserDownloadsFolder(const std::u16string& userDataFolder) {
  wchar_t profile[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return userDataFolder + u"\\Downloads";
  return std::u16string(profile, profile + length) + u"\\Downloads";
}

bool FakeMediaDevicesAsked() {
  wchar_t value[8] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"VELMORAN_FAKE_CAMERA", value, 8);
  return length == 1 && value[0] == L'1';
}

std::string WindowClass() {
  static std::atomic<int> next{1};
  return "velmoran-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(next++);
}

HRESULT CreateEnvironment(PCWSTR userDataFolder, ICoreWebView2EnvironmentOptions* options,
                          ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) {
  if (handler == nullptr) return E_POINTER;
  Trace("environment requested");
  if (!UnixFileExists(kChromium)) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  BrowserLaunch launch;
  launch.executable = kChromium;
  launch.windowClass = WindowClass();
  launch.additionalArguments =
      OptionText(options, &ICoreWebView2EnvironmentOptions::get_AdditionalBrowserArguments);
  launch.language = OptionText(options, &ICoreWebView2EnvironmentOptions::get_Language);
  launch.fakeMediaDevices = FakeMediaDevicesAsked();
  std::u16string folder(ReadText(userDataFolder));
  // The runtime's own choice without one: "<executable>.WebView2" beside the executable.
  if (folder.empty()) folder = ExecutablePath() + u".WebView2";
  CreateFolders(folder);
  PrepareProfilePreferences(folder);
  if (auto unixFolder = UnixPathOf(folder)) launch.userDataFolder = *unixFolder;
  // Downloads run in a folder of the user data folder, under Chromium's guid for
  // them, and end in the user's Downloads folder (the runtime's default there).
  launch.downloadStagingFolder = folder + u"\\DownloadsInProgress";
  CreateFolders(launch.downloadStagingFolder);
  if (auto unixStaging = UnixPathOf(launch.downloadStagingFolder))
    launch.downloadStagingFolderUnix = *unixStaging;
  launch.downloadFolder = UserDownloadsFolder(folder);

  auto queue = Queue();
  auto browser = std::make_shared<ChromiumBrowser>(queue, std::move(launch));
  ComPtr<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler> completion(handler);
  // The request keeps the browser alive until it is answered; the environment keeps it after that.
  const bool started = browser->Start([queue, running = browser, completion](HRESULT result) mutable {
    if (SUCCEEDED(result)) {
      auto environment = MakeComObject<ChromiumEnvironment>(queue, running);
      completion->Invoke(S_OK, environment.Get());
    } else {
      completion->Invoke(result, nullptr);
    }
    // Let go from a later dispatch: this runs inside the browser's own code.
    queue->Post([last = std::move(running)] {});
  });
  return started ? S_OK : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

// Chromium's own word on its version: "Chromium 156.0.8078.129 built on Debian ...".
HRESULT AvailableVersion(LPWSTR* versionInfo) {
  if (versionInfo == nullptr) return E_POINTER;
  *versionInfo = nullptr;
  if (!UnixFileExists(kChromium)) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  UnixShell shell;
  std::optional<std::string> answer;
  if (shell.Start()) answer = shell.Run(std::string(kChromium) + " --version 2>/dev/null", 10000);
  if (!answer) return E_FAIL;
  const std::u16string text = velmoran::Utf8ToUtf16(*answer);
  for (std::size_t at = 0; at < text.size(); ++at) {
    std::uint64_t parts[4];
    if (text[at] >= u'0' && text[at] <= u'9' && (at == 0 || text[at - 1] == u' ') &&
        velmoran::runtime::ParseBrowserVersion(std::u16string_view(text).substr(at), parts)) {
      const std::size_t end = text.find_first_not_of(u"0123456789.", at);
      return HandOutText(std::u16string_view(text).substr(at, end == std::u16string::npos ? end : end - at),
                         versionInfo);
    }
  }
  return E_FAIL;
}

// Nothing may unwind into the host through an export.
template <typename Call>
HRESULT Guarded(Call call) {
  try {
    return call();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace

extern "C" {

HRESULT WV2_STDCALL CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR /*browserExecutableFolder*/, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) {
  return Guarded(
      [&] { return CreateEnvironment(userDataFolder, environmentOptions, environmentCreatedHandler); });
}

HRESULT WV2_STDCALL CreateCoreWebView2Environment(
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) {
  return Guarded([&] { return CreateEnvironment(nullptr, nullptr, environmentCreatedHandler); });
}

HRESULT WV2_STDCALL GetAvailableCoreWebView2BrowserVersionString(PCWSTR /*browserExecutableFolder*/,
                                                                 LPWSTR* versionInfo) {
  return Guarded([&] { return AvailableVersion(versionInfo); });
}

HRESULT WV2_STDCALL GetAvailableCoreWebView2BrowserVersionStringWithOptions(
    PCWSTR /*browserExecutableFolder*/, ICoreWebView2EnvironmentOptions* /*environmentOptions*/,
    LPWSTR* versionInfo) {
  return Guarded([&] { return AvailableVersion(versionInfo); });
}

HRESULT WV2_STDCALL CompareBrowserVersions(PCWSTR version1, PCWSTR version2, int* result) {
  if (result == nullptr) return E_POINTER;
  *result = 0;
  const std::optional<int> order =
      velmoran::runtime::CompareBrowserVersionTexts(ReadText(version1), ReadText(version2));
  if (!order) return E_INVALIDARG;
  *result = *order;
  return S_OK;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = module;
    ::DisableThreadLibraryCalls(module);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr && g_queue != nullptr) {
    // Freed by the host: nothing queued may run into unloaded code. A process
    // that is ending keeps everything; its sockets close with it and Chromium ends.
    (*g_queue)->Close();
  }
  return TRUE;
}

}  // extern "C"
