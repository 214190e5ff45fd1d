#include "webview/loader/AvailableBrowserVersion.h"

#include <string>

#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/WideText.h"
#include "webview/loader/ClientDllSearch.h"
#include "webview/loader/ExceptionPolicy.h"
#include "webview/loader/RuntimeOverrides.h"
#include "webview/loader/TWebView2EnvironmentParams.h"

namespace velmoran::webview {

namespace {

HRESULT FindVersionText(const DiscoveryContext& context, std::u16string_view folder, std::u16string& answer) {
  TWebView2EnvironmentParams params;
  params.embeddedEdgeSubFolder = folder;
  params.releaseChannelPreference = kStable;
  ApplyOverrides(context, params);

  std::u16string versionText;
  std::u16string channelName;
  std::u16string clientPath;
  if (!params.embeddedEdgeSubFolder.empty()) {
    const HRESULT resolved = ResolveClientDllFromFolder(context, params.embeddedEdgeSubFolder, clientPath);
    if (FAILED(resolved)) return resolved;
    platform::Files& files = context.platform.files();
    if (!files.GetFileVersionString(clientPath, kClientProductVersionBlock, versionText)) {
      versionText.clear();
      const std::uint32_t error = files.GetLastError();
      if (error != platform::kErrorSuccess) return HRESULT_FROM_WIN32(error);
    }
  } else {
    const HRESULT found = FindInstalledClientDll(context, params.releaseChannelPreference, clientPath,
                                                 versionText, channelName);
    if (FAILED(found)) return found;
  }
  if (versionText.empty()) return E_FAIL;

  answer = versionText;
  if (!channelName.empty()) answer += u" " + channelName;
  return S_OK;
}

}  // namespace

HRESULT GetAvailableCoreWebView2BrowserVersionString(const DiscoveryContext& context,
                                                     LPCWSTR browserExecutableFolder, LPWSTR* versionInfo) {
  if (versionInfo == nullptr) return E_POINTER;
  *versionInfo = nullptr;
  std::u16string answer;
  const HRESULT result = GuardStep(context.reRaiseExceptions, E_FAIL, [&] {
    return FindVersionText(context, FromWideText(browserExecutableFolder), answer);
  });
  if (FAILED(result)) return result;
  LPWSTR text = CoTaskMemDup(context.platform.com(), answer);
  if (text == nullptr) return E_OUTOFMEMORY;
  *versionInfo = text;
  return S_OK;
}

}  // namespace velmoran::webview
