#include "webview/browser/TCoreWebView2Cookie.h"

#include "webview/abi/WideText.h"
#include "webview/browser/WrapperCalls.h"

namespace velmoran::webview {

TCoreWebView2Cookie::TCoreWebView2Cookie(ICoreWebView2Cookie* aBaseIntf, platform::Com& aCom)
    : FCom(aCom), FVersions(aBaseIntf) {}

std::u16string TCoreWebView2Cookie::Name() const {
  return ReadText(FCom, BaseIntf(), &ICoreWebView2Cookie::get_Name);
}

std::u16string TCoreWebView2Cookie::Value() const {
  return ReadText(FCom, BaseIntf(), &ICoreWebView2Cookie::get_Value);
}

bool TCoreWebView2Cookie::SetValue(const std::u16string& aValue) {
  return CallSucceeded(BaseIntf(), &ICoreWebView2Cookie::put_Value, AsWideText(aValue));
}

std::u16string TCoreWebView2Cookie::Domain() const {
  return ReadText(FCom, BaseIntf(), &ICoreWebView2Cookie::get_Domain);
}

std::u16string TCoreWebView2Cookie::Path() const {
  return ReadText(FCom, BaseIntf(), &ICoreWebView2Cookie::get_Path);
}

double TCoreWebView2Cookie::Expires() const {
  return ReadValue<double>(BaseIntf(), &ICoreWebView2Cookie::get_Expires);
}

bool TCoreWebView2Cookie::SetExpires(double aValue) {
  return CallSucceeded(BaseIntf(), &ICoreWebView2Cookie::put_Expires, aValue);
}

bool TCoreWebView2Cookie::IsHttpOnly() const {
  return ReadBool(BaseIntf(), &ICoreWebView2Cookie::get_IsHttpOnly);
}

bool TCoreWebView2Cookie::SetIsHttpOnly(bool aValue) {
  return CallSucceeded(BaseIntf(), &ICoreWebView2Cookie::put_IsHttpOnly, ToBOOL(aValue));
}

COREWEBVIEW2_COOKIE_SAME_SITE_KIND TCoreWebView2Cookie::SameSite() const {
  return ReadValue<COREWEBVIEW2_COOKIE_SAME_SITE_KIND>(BaseIntf(), &ICoreWebView2Cookie::get_SameSite);
}

bool TCoreWebView2Cookie::SetSameSite(COREWEBVIEW2_COOKIE_SAME_SITE_KIND aValue) {
  return CallSucceeded(BaseIntf(), &ICoreWebView2Cookie::put_SameSite, aValue);
}

bool TCoreWebView2Cookie::IsSecure() const {
  return ReadBool(BaseIntf(), &ICoreWebView2Cookie::get_IsSecure);
}

bool TCoreWebView2Cookie::SetIsSecure(bool aValue) {
  return CallSucceeded(BaseIntf(), &ICoreWebView2Cookie::put_IsSecure, ToBOOL(aValue));
}

bool TCoreWebView2Cookie::IsSession() const {
  return ReadBool(BaseIntf(), &ICoreWebView2Cookie::get_IsSession);
}

}  // namespace velmoran::webview
