#pragma once

// The five exports of the simulated loader library. Each answers for the
// runtime that is active at the time of the call (ActiveSimRuntime), with the
// signature the loader casts its address to. A failure scripted under the
// export's name is the call's answer.

#include <map>
#include <string>

#include "platform/Modules.h"
#include "webview/abi/ComTypes.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

HRESULT WV2_STDCALL CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler);
HRESULT WV2_STDCALL CreateCoreWebView2Environment(
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler);
HRESULT WV2_STDCALL GetAvailableCoreWebView2BrowserVersionString(PCWSTR browserExecutableFolder,
                                                                 LPWSTR* versionInfo);
HRESULT WV2_STDCALL GetAvailableCoreWebView2BrowserVersionStringWithOptions(
    PCWSTR browserExecutableFolder, ICoreWebView2EnvironmentOptions* environmentOptions, LPWSTR* versionInfo);
HRESULT WV2_STDCALL CompareBrowserVersions(PCWSTR version1, PCWSTR version2, int* result);

// The five by export name, as the module table hands them to GetProcAddress.
std::map<std::string, platform::ProcAddress> SimLoaderExports();

}  // namespace velmoran::runtime::sim
