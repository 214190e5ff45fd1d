#pragma once

// Which runtime version is available, answered in process: the version of the
// client library below a browser folder, or of the first installed release
// channel that has one.

#include "webview/abi/ComTypes.h"
#include "webview/loader/DiscoveryContext.h"

namespace velmoran::webview {

inline constexpr char16_t kClientProductVersionBlock[] = u"\\StringFileInfo\\040904B0\\ProductVersion";

// With the conventions of the loader library's export of the same name: a
// null or empty folder means the installed runtime; on success `versionInfo`
// receives "120.0.2210.91" (followed by " beta", " dev"... for a channel other
// than stable) allocated with the platform's CoTaskMemAlloc, which the caller
// frees; on failure it receives null. E_POINTER without a place for the answer,
// E_FAIL when no runtime was found.
HRESULT GetAvailableCoreWebView2BrowserVersionString(const DiscoveryContext& context,
                                                     LPCWSTR browserExecutableFolder, LPWSTR* versionInfo);

}  // namespace velmoran::webview
