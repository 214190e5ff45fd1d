#pragma once

// The runtime's five entry points, resolved from the loader library by
// TWVLoader::LoadLibProcedures: process-wide, empty at program start, written
// and read on the user-interface thread only.

#include "webview/abi/WebView2Exports.h"

namespace velmoran::webview {

struct RuntimeEntryPoints {
  CreateCoreWebView2EnvironmentWithOptionsFunc CreateCoreWebView2EnvironmentWithOptions = nullptr;
  CreateCoreWebView2EnvironmentFunc CreateCoreWebView2Environment = nullptr;
  GetAvailableCoreWebView2BrowserVersionStringFunc GetAvailableCoreWebView2BrowserVersionString = nullptr;
  GetAvailableCoreWebView2BrowserVersionStringWithOptionsFunc
      GetAvailableCoreWebView2BrowserVersionStringWithOptions = nullptr;
  CompareBrowserVersionsFunc CompareBrowserVersions = nullptr;
};

RuntimeEntryPoints& WebView2EntryPoints();

}  // namespace velmoran::webview
