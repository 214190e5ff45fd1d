#pragma once

// What a failed navigation reports as its web error status, from what
// Chromium says about it: the network error's name ("net::ERR_NAME_NOT_RESOLVED")
// or, for a page the server refused, the HTTP status.

#include <string_view>

#include "webview/abi/WebView2Enums.h"

namespace velmoran::runtime::chromium {

// An empty text is no error at all: UNKNOWN. A name not known here is UNEXPECTED_ERROR.
COREWEBVIEW2_WEB_ERROR_STATUS WebErrorStatusFromNetError(std::u16string_view errorText);

// For a response of 400 and above; every other status is UNKNOWN.
COREWEBVIEW2_WEB_ERROR_STATUS WebErrorStatusFromHttpStatus(int status);

}  // namespace velmoran::runtime::chromium
