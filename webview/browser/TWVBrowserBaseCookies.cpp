// The browser control's cookie members: each goes through the webview's
// cookie manager (ICoreWebView2_2), so each does nothing and answers False or
// none until the browser is Initialized and its webview offers that version.

#include "webview/browser/TCoreWebView2.h"
#include "webview/browser/TCoreWebView2CookieManager.h"
#include "webview/browser/TWVBrowserBase.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::webview {
namespace {

TCoreWebView2CookieManager ManagerOf(const TCoreWebView2& aWebView) {
  return TCoreWebView2CookieManager(aWebView.CookieManager().Get());
}

// A cookie member handed no cookie: refused, and the log says which.
bool RefusedWithoutCookie(std::u16string_view aMember) {
  if (TWVLoader* loader = SharedWebViewLoader())
    loader->AppendErrorLog(std::u16string(aMember) + u": no cookie was given; nothing was done.");
  return false;
}

}  // namespace

bool TWVBrowserBase::GetCookies(std::u16string_view aURI) {
  return Initialized() && ManagerOf(*FCoreWebView2).GetCookies(std::u16string(aURI), this);
}

ComPtr<ICoreWebView2Cookie> TWVBrowserBase::CreateCookie(std::u16string_view aName,
                                                         std::u16string_view aValue,
                                                         std::u16string_view aDomain,
                                                         std::u16string_view aPath) {
  if (!Initialized()) return {};
  return ManagerOf(*FCoreWebView2)
      .CreateCookie(std::u16string(aName), std::u16string(aValue), std::u16string(aDomain),
                    std::u16string(aPath));
}

ComPtr<ICoreWebView2Cookie> TWVBrowserBase::CopyCookie(ICoreWebView2Cookie* aCookie) {
  if (!Initialized()) return {};
  if (aCookie == nullptr) {
    RefusedWithoutCookie(u"CopyCookie");
    return {};
  }
  return ManagerOf(*FCoreWebView2).CopyCookie(aCookie);
}

bool TWVBrowserBase::AddOrUpdateCookie(ICoreWebView2Cookie* aCookie) {
  if (!Initialized()) return false;
  if (aCookie == nullptr) return RefusedWithoutCookie(u"AddOrUpdateCookie");
  return ManagerOf(*FCoreWebView2).AddOrUpdateCookie(aCookie);
}

bool TWVBrowserBase::DeleteCookie(ICoreWebView2Cookie* aCookie) {
  if (!Initialized()) return false;
  if (aCookie == nullptr) return RefusedWithoutCookie(u"DeleteCookie");
  return ManagerOf(*FCoreWebView2).DeleteCookie(aCookie);
}

bool TWVBrowserBase::DeleteCookies(std::u16string_view aName, std::u16string_view aURI) {
  return Initialized() &&
         ManagerOf(*FCoreWebView2).DeleteCookies(std::u16string(aName), std::u16string(aURI));
}

bool TWVBrowserBase::DeleteCookiesWithDomainAndPath(std::u16string_view aName, std::u16string_view aDomain,
                                                    std::u16string_view aPath) {
  return Initialized() && ManagerOf(*FCoreWebView2)
                              .DeleteCookiesWithDomainAndPath(std::u16string(aName), std::u16string(aDomain),
                                                              std::u16string(aPath));
}

bool TWVBrowserBase::DeleteAllCookies() {
  return Initialized() && ManagerOf(*FCoreWebView2).DeleteAllCookies();
}

}  // namespace velmoran::webview
