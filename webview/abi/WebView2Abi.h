#pragma once

// Everything the system needs to speak to the browser runtime: the COM basics,
// the runtime's interfaces with their ids, enumerations and structures, and
// the loader library's exports.

#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"
#include "webview/abi/WebView2Enums.h"
#include "webview/abi/WebView2Exports.h"
#include "webview/abi/WebView2Ids.h"
#include "webview/abi/WebView2Interfaces.h"
#include "webview/abi/WebView2Structs.h"
#include "webview/abi/WideText.h"
