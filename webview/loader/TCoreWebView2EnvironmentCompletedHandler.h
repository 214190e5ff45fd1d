#pragma once

// The completion sink of an environment request. Made with a browser
// control's face (browserEvents_) or with the loader's face (loaderEvents_);
// Invoke hands the result code and the environment to the face it was made
// with and answers what that face answers. A sink made for a browser control
// never falls back to the loader, and a sink whose face is gone answers E_FAIL.

#include "webview/abi/WebView2Abi.h"
#include "webview/sinks/DualSink.h"
#include "webview/sinks/IWVBrowserEvents.h"
#include "webview/sinks/IWVLoaderEvents.h"

namespace velmoran::webview {

using TCoreWebView2EnvironmentCompletedHandler =
    DualSink<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler,
             &IWVBrowserEvents::HandleEnvironmentCompleted, &IWVLoaderEvents::HandleEnvironmentCompleted,
             u"EnvironmentCompleted">;

}  // namespace velmoran::webview
