#pragma once

// One cookie as the runtime describes it (ICoreWebView2Cookie): a reader per
// field and a setter where the interface has one, under the wrappers' one
// rule. Expires is in seconds since 1970-01-01 UTC; a session cookie reads -1
// there. Destruction only releases the interface.

#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"

namespace velmoran::webview {

class TCoreWebView2Cookie {
 public:
  // Takes a reference to `aBaseIntf` (or none).
  TCoreWebView2Cookie(ICoreWebView2Cookie* aBaseIntf, platform::Com& aCom);
  TCoreWebView2Cookie(const TCoreWebView2Cookie&) = delete;
  TCoreWebView2Cookie& operator=(const TCoreWebView2Cookie&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2Cookie* BaseIntf() const { return FVersions.Get<ICoreWebView2Cookie>(); }

  std::u16string Name() const;
  std::u16string Value() const;
  bool SetValue(const std::u16string& aValue);
  std::u16string Domain() const;
  std::u16string Path() const;
  double Expires() const;
  bool SetExpires(double aValue);
  bool IsHttpOnly() const;
  bool SetIsHttpOnly(bool aValue);
  COREWEBVIEW2_COOKIE_SAME_SITE_KIND SameSite() const;
  bool SetSameSite(COREWEBVIEW2_COOKIE_SAME_SITE_KIND aValue);
  bool IsSecure() const;
  bool SetIsSecure(bool aValue);
  bool IsSession() const;

 private:
  platform::Com& FCom;
  InterfaceVersions<ICoreWebView2Cookie> FVersions;
};

}  // namespace velmoran::webview
