// "WebView2Loader.dll" of the runtime double: the loader library's five
// exports, under their plain names (WebView2Loader.def), answered by the
// simulated runtime on the real Windows platform. The runtime starts at the
// first call, on the calling thread, whose message queue then carries every
// completion and event; it records its end when the host unloads the library.

#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <memory>
#include <new>

#include "platform/win32/Win32Platform.h"
#include "runtime/double/RuntimeDouble.h"
#include "runtime/double/win32/MessageWindowQueue.h"
#include "runtime/sim/SimLoaderExports.h"

namespace {

using velmoran::runtime::doubles::MessageWindowQueue;
using velmoran::runtime::doubles::RuntimeDouble;
namespace sim = velmoran::runtime::sim;

struct LoadedRuntime {
  velmoran::platform::win32::Win32Platform platform;
  std::shared_ptr<MessageWindowQueue> queue;
  std::shared_ptr<RuntimeDouble> runtime;
};

HINSTANCE g_module = nullptr;

velmoran::runtime::doubles::ProcessResources MeasureProcess() {
  velmoran::runtime::doubles::ProcessResources resources;
  const HANDLE self = ::GetCurrentProcess();
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (::K32GetProcessMemoryInfo(self, &counters, sizeof counters)) {
    resources.privateBytes = counters.PagefileUsage;
    resources.workingSetBytes = counters.WorkingSetSize;
  }
  DWORD handles = 0;
  if (::GetProcessHandleCount(self, &handles)) resources.handles = handles;
  resources.gdiObjects = ::GetGuiResources(self, GR_GDIOBJECTS);
  resources.userObjects = ::GetGuiResources(self, GR_USEROBJECTS);
  HANDLE probe = nullptr;
  if (::DuplicateHandle(self, self, self, &probe, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
    resources.nextHandle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(probe));
    ::CloseHandle(probe);
  }
  return resources;
}
LoadedRuntime* g_loaded = nullptr;

void EnsureStarted() {
  if (g_loaded != nullptr) return;
  auto loaded = std::make_unique<LoadedRuntime>();
  loaded->queue = std::make_shared<MessageWindowQueue>(g_module);
  loaded->runtime = RuntimeDouble::Start(loaded->platform, loaded->queue, MeasureProcess);
  g_loaded = loaded.release();
}

// Nothing may unwind into the host through an export.
template <typename Call>
HRESULT Guarded(Call call) {
  try {
    EnsureStarted();
    return call();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

void Unload(bool processEnding) {
  if (g_loaded == nullptr) return;
  if (processEnding) {
    // The host is exiting without unloading the library: other libraries may
    // be gone already, so only the record is written, nothing is released.
    g_loaded->runtime->Unload();
    return;
  }
  // Work still queued holds objects (and the host's handlers): drop it
  // before counting, and before the code that would run it goes away.
  g_loaded->queue->Close();
  g_loaded->runtime->Unload();
  // Objects the host still holds point into this state: leaving it in place
  // costs nothing, freeing it under them would not. A clean end frees it all.
  if (g_loaded->runtime->Context().LiveObjects() == 0) {
    delete g_loaded;
  }
  g_loaded = nullptr;
}

}  // namespace

extern "C" {

HRESULT WV2_STDCALL CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) {
  return Guarded([&] {
    return sim::CreateCoreWebView2EnvironmentWithOptions(browserExecutableFolder, userDataFolder,
                                                         environmentOptions, environmentCreatedHandler);
  });
}

HRESULT WV2_STDCALL CreateCoreWebView2Environment(
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) {
  return Guarded([&] { return sim::CreateCoreWebView2Environment(environmentCreatedHandler); });
}

HRESULT WV2_STDCALL GetAvailableCoreWebView2BrowserVersionString(PCWSTR browserExecutableFolder,
                                                                 LPWSTR* versionInfo) {
  return Guarded([&] {
    return sim::GetAvailableCoreWebView2BrowserVersionString(browserExecutableFolder, versionInfo);
  });
}

HRESULT WV2_STDCALL GetAvailableCoreWebView2BrowserVersionStringWithOptions(
    PCWSTR browserExecutableFolder, ICoreWebView2EnvironmentOptions* environmentOptions,
    LPWSTR* versionInfo) {
  return Guarded([&] {
    return sim::GetAvailableCoreWebView2BrowserVersionStringWithOptions(browserExecutableFolder,
                                                                        environmentOptions, versionInfo);
  });
}

HRESULT WV2_STDCALL CompareBrowserVersions(PCWSTR version1, PCWSTR version2, int* result) {
  return Guarded([&] { return sim::CompareBrowserVersions(version1, version2, result); });
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = module;
    ::DisableThreadLibraryCalls(module);
  } else if (reason == DLL_PROCESS_DETACH) {
    // A non-null `reserved` means the process is ending rather than the library being freed.
    try {
      Unload(reserved != nullptr);
    } catch (...) {
    }
  }
  return TRUE;
}

}  // extern "C"
