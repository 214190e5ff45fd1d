#pragma once

// One cookie's fields, as both runtimes keep them.

#include <string>

#include "webview/abi/WebView2Enums.h"

namespace velmoran::runtime {

struct CookieFields {
  std::u16string name;
  std::u16string value;
  std::u16string domain;
  std::u16string path = u"/";
  double expires = -1;  // seconds since 1970-01-01 UTC; -1 for a session cookie
  bool httpOnly = false;
  bool secure = false;
  COREWEBVIEW2_COOKIE_SAME_SITE_KIND sameSite = COREWEBVIEW2_COOKIE_SAME_SITE_KIND_LAX;
};

}  // namespace velmoran::runtime
