#pragma once

// The cookies a GetCookies completion hands over (ICoreWebView2CookieList):
// how many, and one by index. An index past the end answers none.

#include <cstdint>

#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"

namespace velmoran::webview {

class TCoreWebView2CookieList {
 public:
  // Takes a reference to `aBaseIntf` (or none).
  explicit TCoreWebView2CookieList(ICoreWebView2CookieList* aBaseIntf);
  TCoreWebView2CookieList(const TCoreWebView2CookieList&) = delete;
  TCoreWebView2CookieList& operator=(const TCoreWebView2CookieList&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2CookieList* BaseIntf() const { return FVersions.Get<ICoreWebView2CookieList>(); }

  std::uint32_t Count() const;
  ComPtr<ICoreWebView2Cookie> Items(std::uint32_t aIndex) const;

 private:
  InterfaceVersions<ICoreWebView2CookieList> FVersions;
};

}  // namespace velmoran::webview
