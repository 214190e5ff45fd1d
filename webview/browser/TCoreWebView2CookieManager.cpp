#include "webview/browser/TCoreWebView2CookieManager.h"

#include "webview/abi/ComObject.h"
#include "webview/abi/WideText.h"
#include "webview/browser/WrapperCalls.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

TCoreWebView2CookieManager::TCoreWebView2CookieManager(ICoreWebView2CookieManager* aBaseIntf)
    : FVersions(aBaseIntf) {}

ComPtr<ICoreWebView2Cookie> TCoreWebView2CookieManager::CreateCookie(const std::u16string& aName,
                                                                     const std::u16string& aValue,
                                                                     const std::u16string& aDomain,
                                                                     const std::u16string& aPath) const {
  ComPtr<ICoreWebView2Cookie> cookie;
  if (BaseIntf() == nullptr) return cookie;
  if (FAILED(BaseIntf()->CreateCookie(AsWideText(aName), AsWideText(aValue), AsWideText(aDomain),
                                      AsWideText(aPath), cookie.Put())))
    cookie.Reset();
  return cookie;
}

ComPtr<ICoreWebView2Cookie> TCoreWebView2CookieManager::CopyCookie(ICoreWebView2Cookie* aCookie) const {
  ComPtr<ICoreWebView2Cookie> copy;
  if (BaseIntf() == nullptr || aCookie == nullptr) return copy;
  if (FAILED(BaseIntf()->CopyCookie(aCookie, copy.Put()))) copy.Reset();
  return copy;
}

bool TCoreWebView2CookieManager::GetCookies(const std::u16string& aURI, IWVBrowserEvents* aEvents) const {
  if (BaseIntf() == nullptr || aEvents == nullptr) return false;
  ComPtr<TCoreWebView2GetCookiesCompletedHandler> sink =
      MakeComObject<TCoreWebView2GetCookiesCompletedHandler>(aEvents);
  return SUCCEEDED(BaseIntf()->GetCookies(AsWideText(aURI), sink.Get()));
}

bool TCoreWebView2CookieManager::AddOrUpdateCookie(ICoreWebView2Cookie* aCookie) const {
  return aCookie != nullptr &&
         CallSucceeded(BaseIntf(), &ICoreWebView2CookieManager::AddOrUpdateCookie, aCookie);
}

bool TCoreWebView2CookieManager::DeleteCookie(ICoreWebView2Cookie* aCookie) const {
  return aCookie != nullptr && CallSucceeded(BaseIntf(), &ICoreWebView2CookieManager::DeleteCookie, aCookie);
}

bool TCoreWebView2CookieManager::DeleteCookies(const std::u16string& aName,
                                               const std::u16string& aURI) const {
  return CallSucceeded(BaseIntf(), &ICoreWebView2CookieManager::DeleteCookies, AsWideText(aName),
                       AsWideText(aURI));
}

bool TCoreWebView2CookieManager::DeleteCookiesWithDomainAndPath(const std::u16string& aName,
                                                                const std::u16string& aDomain,
                                                                const std::u16string& aPath) const {
  return CallSucceeded(BaseIntf(), &ICoreWebView2CookieManager::DeleteCookiesWithDomainAndPath,
                       AsWideText(aName), AsWideText(aDomain), AsWideText(aPath));
}

bool TCoreWebView2CookieManager::DeleteAllCookies() const {
  return CallSucceeded(BaseIntf(), &ICoreWebView2CookieManager::DeleteAllCookies);
}

}  // namespace velmoran::webview
