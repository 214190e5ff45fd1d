#pragma once

// The runtime's cookie objects over plain fields, shared by the simulated
// runtime and the Chromium runtime: ICoreWebView2Cookie over one cookie's
// fields, ICoreWebView2CookieList over such cookies, and the reading of any
// cookie object's fields. The runtimes differ only in the allocator a text
// goes through (the caller frees what it is handed with CoTaskMemFree),
// which they pass in.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/common/AnswerValue.h"
#include "runtime/common/CookieFields.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Interfaces.h"
#include "webview/abi/WideText.h"

namespace velmoran::runtime {

// Copies `text` into a block the caller frees, into *out; E_POINTER for a
// null `out`, E_OUTOFMEMORY when no block could be had.
using TextHandOut = std::function<HRESULT(std::u16string_view text, LPWSTR* out)>;
// The text of a block a getter handed out (none reads as empty), the block freed.
using TextTake = std::function<std::u16string(LPWSTR text)>;

class CookieObject final : public webview::ComObject<ICoreWebView2Cookie> {
 public:
  CookieObject(TextHandOut handOut, CookieFields fields)
      : handOut_(std::move(handOut)), fields_(std::move(fields)) {}

  const CookieFields& Fields() const { return fields_; }

  HRESULT WV2_STDCALL get_Name(LPWSTR* name) override { return handOut_(fields_.name, name); }
  HRESULT WV2_STDCALL get_Value(LPWSTR* value) override { return handOut_(fields_.value, value); }
  HRESULT WV2_STDCALL put_Value(LPCWSTR value) override {
    if (value == nullptr) return E_INVALIDARG;
    fields_.value = std::u16string(webview::FromWideText(value));
    return S_OK;
  }
  HRESULT WV2_STDCALL get_Domain(LPWSTR* domain) override { return handOut_(fields_.domain, domain); }
  HRESULT WV2_STDCALL get_Path(LPWSTR* path) override { return handOut_(fields_.path, path); }
  HRESULT WV2_STDCALL get_Expires(double* expires) override { return AnswerValue(expires, fields_.expires); }
  HRESULT WV2_STDCALL put_Expires(double expires) override {
    // -1 makes it a session cookie again; any other time before the epoch is no expiry at all.
    if (expires < 0 && expires != -1) return E_INVALIDARG;
    fields_.expires = expires;
    return S_OK;
  }
  HRESULT WV2_STDCALL get_IsHttpOnly(BOOL* isHttpOnly) override {
    return AnswerValue<BOOL>(isHttpOnly, fields_.httpOnly ? TRUE : FALSE);
  }
  HRESULT WV2_STDCALL put_IsHttpOnly(BOOL isHttpOnly) override {
    fields_.httpOnly = isHttpOnly != FALSE;
    return S_OK;
  }
  HRESULT WV2_STDCALL get_SameSite(COREWEBVIEW2_COOKIE_SAME_SITE_KIND* sameSite) override {
    return AnswerValue(sameSite, fields_.sameSite);
  }
  HRESULT WV2_STDCALL put_SameSite(COREWEBVIEW2_COOKIE_SAME_SITE_KIND sameSite) override {
    if (sameSite < COREWEBVIEW2_COOKIE_SAME_SITE_KIND_NONE ||
        sameSite > COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT)
      return E_INVALIDARG;
    fields_.sameSite = sameSite;
    return S_OK;
  }
  HRESULT WV2_STDCALL get_IsSecure(BOOL* isSecure) override {
    return AnswerValue<BOOL>(isSecure, fields_.secure ? TRUE : FALSE);
  }
  HRESULT WV2_STDCALL put_IsSecure(BOOL isSecure) override {
    fields_.secure = isSecure != FALSE;
    return S_OK;
  }
  HRESULT WV2_STDCALL get_IsSession(BOOL* isSession) override {
    return AnswerValue<BOOL>(isSession, fields_.expires == -1 ? TRUE : FALSE);
  }

 private:
  TextHandOut handOut_;
  CookieFields fields_;
};

class CookieListObject final : public webview::ComObject<ICoreWebView2CookieList> {
 public:
  explicit CookieListObject(std::vector<webview::ComPtr<ICoreWebView2Cookie>> cookies)
      : cookies_(std::move(cookies)) {}

  HRESULT WV2_STDCALL get_Count(UINT32* value) override {
    return AnswerValue(value, static_cast<UINT32>(cookies_.size()));
  }
  HRESULT WV2_STDCALL GetValueAtIndex(UINT32 index, ICoreWebView2Cookie** value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (index >= cookies_.size()) return E_INVALIDARG;
    *value = webview::ComPtr<ICoreWebView2Cookie>(cookies_[index]).Detach();
    return S_OK;
  }

 private:
  std::vector<webview::ComPtr<ICoreWebView2Cookie>> cookies_;
};

// The fields of any cookie object (the host's own as well), read through its
// interface; false when it is none or a getter fails.
inline bool ReadCookieFields(ICoreWebView2Cookie* cookie, const TextTake& take, CookieFields& out) {
  if (cookie == nullptr) return false;
  LPWSTR name = nullptr;
  LPWSTR value = nullptr;
  LPWSTR domain = nullptr;
  LPWSTR path = nullptr;
  BOOL httpOnly = FALSE;
  BOOL secure = FALSE;
  const bool read =
      SUCCEEDED(cookie->get_Name(&name)) && SUCCEEDED(cookie->get_Value(&value)) &&
      SUCCEEDED(cookie->get_Domain(&domain)) && SUCCEEDED(cookie->get_Path(&path)) &&
      SUCCEEDED(cookie->get_Expires(&out.expires)) && SUCCEEDED(cookie->get_IsHttpOnly(&httpOnly)) &&
      SUCCEEDED(cookie->get_SameSite(&out.sameSite)) && SUCCEEDED(cookie->get_IsSecure(&secure));
  // Whatever was handed out is freed, also after a failed getter.
  out.name = take(name);
  out.value = take(value);
  out.domain = take(domain);
  out.path = take(path);
  out.httpOnly = httpOnly != FALSE;
  out.secure = secure != FALSE;
  return read;
}

}  // namespace velmoran::runtime
