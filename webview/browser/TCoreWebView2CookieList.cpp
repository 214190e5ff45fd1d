#include "webview/browser/TCoreWebView2CookieList.h"

#include "webview/browser/WrapperCalls.h"

namespace velmoran::webview {

TCoreWebView2CookieList::TCoreWebView2CookieList(ICoreWebView2CookieList* aBaseIntf) : FVersions(aBaseIntf) {}

std::uint32_t TCoreWebView2CookieList::Count() const {
  return ReadValue<UINT32>(BaseIntf(), &ICoreWebView2CookieList::get_Count);
}

ComPtr<ICoreWebView2Cookie> TCoreWebView2CookieList::Items(std::uint32_t aIndex) const {
  ComPtr<ICoreWebView2Cookie> cookie;
  if (BaseIntf() == nullptr) return cookie;
  if (FAILED(BaseIntf()->GetValueAtIndex(aIndex, cookie.Put()))) cookie.Reset();
  return cookie;
}

}  // namespace velmoran::webview
