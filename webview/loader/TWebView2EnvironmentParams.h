#pragma once

#include <cstdint>
#include <string>

#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::webview {

// The order the release channels are searched in.
enum TWebView2ReleaseChannelPreference : std::uint8_t {
  kStable = 0,  // stable, beta, dev, canary, internal
  kCanary = 1,  // internal, canary, dev, beta, stable
};

// What the in-process version query searches with.
struct TWebView2EnvironmentParams {
  std::u16string embeddedEdgeSubFolder;  // a browser folder; empty for the installed runtime
  std::u16string userDataDir;
  ComPtr<ICoreWebView2EnvironmentOptions> environmentOptions;
  TWebView2ReleaseChannelPreference releaseChannelPreference = kStable;
};

}  // namespace velmoran::webview
