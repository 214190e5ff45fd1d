#pragma once

// The profile's cookie store as the runtime offers it
// (ICoreWebView2CookieManager, from the webview's get_CookieManager): making
// and copying cookie objects, asking for the cookies of a URI (answered
// through the events' GetCookiesCompleted), adding or replacing one, and
// deleting one, by name and URI, by name, domain and path, or all.

#include <string>

#include "platform/Com.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2CookieManager {
 public:
  // Takes a reference to `aBaseIntf` (or none).
  explicit TCoreWebView2CookieManager(ICoreWebView2CookieManager* aBaseIntf);
  TCoreWebView2CookieManager(const TCoreWebView2CookieManager&) = delete;
  TCoreWebView2CookieManager& operator=(const TCoreWebView2CookieManager&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2CookieManager* BaseIntf() const { return FVersions.Get<ICoreWebView2CookieManager>(); }

  ComPtr<ICoreWebView2Cookie> CreateCookie(const std::u16string& aName, const std::u16string& aValue,
                                           const std::u16string& aDomain, const std::u16string& aPath) const;
  ComPtr<ICoreWebView2Cookie> CopyCookie(ICoreWebView2Cookie* aCookie) const;
  // Creates the completion sink for `aEvents`; an empty URI asks for every cookie of the profile.
  bool GetCookies(const std::u16string& aURI, IWVBrowserEvents* aEvents) const;
  bool AddOrUpdateCookie(ICoreWebView2Cookie* aCookie) const;
  bool DeleteCookie(ICoreWebView2Cookie* aCookie) const;
  bool DeleteCookies(const std::u16string& aName, const std::u16string& aURI) const;
  bool DeleteCookiesWithDomainAndPath(const std::u16string& aName, const std::u16string& aDomain,
                                      const std::u16string& aPath) const;
  bool DeleteAllCookies() const;

 private:
  InterfaceVersions<ICoreWebView2CookieManager> FVersions;
};

}  // namespace velmoran::webview
