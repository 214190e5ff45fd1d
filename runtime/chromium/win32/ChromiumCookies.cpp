#include "runtime/chromium/win32/ChromiumCookies.h"

#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "runtime/chromium/win32/ChromiumWebView.h"
#include "runtime/chromium/win32/TaskMemText.h"
#include "runtime/chromium/win32/Trace.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::runtime::chromium {

using webview::ComPtr;
using webview::MakeComObject;

namespace {

const HRESULT kCookiesNotUsable = HRESULT_FROM_WIN32(ERROR_INVALID_STATE);

// A text the caller handed over and then freed.
std::u16string TakeCookieText(LPWSTR text) {
  std::u16string copy(ReadText(text));
  ::CoTaskMemFree(text);
  return copy;
}

// The fields of any cookie object, read through its interface.
bool ReadCookieFields(ICoreWebView2Cookie* cookie, CookieFields& out) {
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
  out.name = TakeCookieText(name);
  out.value = TakeCookieText(value);
  out.domain = TakeCookieText(domain);
  out.path = TakeCookieText(path);
  out.httpOnly = httpOnly != FALSE;
  out.secure = secure != FALSE;
  return read;
}

class ChromiumCookieList final : public webview::ComObject<ICoreWebView2CookieList> {
 public:
  explicit ChromiumCookieList(std::vector<CookieFields> cookies) {
    for (CookieFields& fields : cookies) cookies_.push_back(MakeComObject<ChromiumCookie>(std::move(fields)));
  }

  HRESULT WV2_STDCALL get_Count(UINT32* value) override {
    if (value == nullptr) return E_POINTER;
    *value = static_cast<UINT32>(cookies_.size());
    return S_OK;
  }
  HRESULT WV2_STDCALL GetValueAtIndex(UINT32 index, ICoreWebView2Cookie** value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (index >= cookies_.size()) return E_INVALIDARG;
    *value = ComPtr<ICoreWebView2Cookie>(cookies_[index]).Detach();
    return S_OK;
  }

 private:
  std::vector<ComPtr<ChromiumCookie>> cookies_;
};

}  // namespace

// --- One cookie ---

HRESULT ChromiumCookie::get_Name(LPWSTR* name) { return HandOutText(fields_.name, name); }
HRESULT ChromiumCookie::get_Value(LPWSTR* value) { return HandOutText(fields_.value, value); }
HRESULT ChromiumCookie::put_Value(LPCWSTR value) {
  if (value == nullptr) return E_INVALIDARG;
  fields_.value = std::u16string(ReadText(value));
  return S_OK;
}
HRESULT ChromiumCookie::get_Domain(LPWSTR* domain) { return HandOutText(fields_.domain, domain); }
HRESULT ChromiumCookie::get_Path(LPWSTR* path) { return HandOutText(fields_.path, path); }
HRESULT ChromiumCookie::get_Expires(double* expires) {
  if (expires == nullptr) return E_POINTER;
  *expires = fields_.expires;
  return S_OK;
}
HRESULT ChromiumCookie::put_Expires(double expires) {
  // -1 makes it a session cookie again; any other time before the epoch is no expiry at all.
  if (expires < 0 && expires != -1) return E_INVALIDARG;
  fields_.expires = expires;
  return S_OK;
}
HRESULT ChromiumCookie::get_IsHttpOnly(BOOL* isHttpOnly) {
  if (isHttpOnly == nullptr) return E_POINTER;
  *isHttpOnly = fields_.httpOnly ? TRUE : FALSE;
  return S_OK;
}
HRESULT ChromiumCookie::put_IsHttpOnly(BOOL isHttpOnly) {
  fields_.httpOnly = isHttpOnly != FALSE;
  return S_OK;
}
HRESULT ChromiumCookie::get_SameSite(COREWEBVIEW2_COOKIE_SAME_SITE_KIND* sameSite) {
  if (sameSite == nullptr) return E_POINTER;
  *sameSite = fields_.sameSite;
  return S_OK;
}
HRESULT ChromiumCookie::put_SameSite(COREWEBVIEW2_COOKIE_SAME_SITE_KIND sameSite) {
  if (sameSite < COREWEBVIEW2_COOKIE_SAME_SITE_KIND_NONE ||
      sameSite > COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT)
    return E_INVALIDARG;
  fields_.sameSite = sameSite;
  return S_OK;
}
HRESULT ChromiumCookie::get_IsSecure(BOOL* isSecure) {
  if (isSecure == nullptr) return E_POINTER;
  *isSecure = fields_.secure ? TRUE : FALSE;
  return S_OK;
}
HRESULT ChromiumCookie::put_IsSecure(BOOL isSecure) {
  fields_.secure = isSecure != FALSE;
  return S_OK;
}
HRESULT ChromiumCookie::get_IsSession(BOOL* isSession) {
  if (isSession == nullptr) return E_POINTER;
  *isSession = fields_.expires == -1 ? TRUE : FALSE;
  return S_OK;
}

// --- The commands, one at a time ---

void CookieCommands::Send(std::string method, std::string params, DevToolsSession::AnswerHandler onAnswer) {
  waiting_.push_back({std::move(method), std::move(params), std::move(onAnswer)});
  if (!busy_) SendNext();
}

void CookieCommands::SendNext() {
  if (waiting_.empty()) {
    busy_ = false;
    return;
  }
  busy_ = true;
  Command command = std::move(waiting_.front());
  waiting_.pop_front();
  browser_->CallPage(command.method, command.params,
                     [self = shared_from_this(),
                      onAnswer = std::move(command.onAnswer)](const DevToolsSession::Answer& answer) {
                       if (onAnswer) onAnswer(answer);
                       self->SendNext();
                     });
}

// --- The manager ---

HRESULT ChromiumCookieManager::CreateCookie(LPCWSTR name, LPCWSTR value, LPCWSTR domain, LPCWSTR path,
                                            ICoreWebView2Cookie** cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = nullptr;
  if (name == nullptr || value == nullptr || domain == nullptr || path == nullptr) return E_INVALIDARG;
  CookieFields fields;
  fields.name = std::u16string(ReadText(name));
  fields.value = std::u16string(ReadText(value));
  fields.domain = std::u16string(ReadText(domain));
  fields.path = std::u16string(ReadText(path));
  if (fields.name.empty() || fields.domain.empty()) return E_INVALIDARG;
  if (fields.path.empty()) fields.path = u"/";
  *cookie = MakeComObject<ChromiumCookie>(std::move(fields)).Detach();
  return S_OK;
}

HRESULT ChromiumCookieManager::CopyCookie(ICoreWebView2Cookie* cookieParam, ICoreWebView2Cookie** cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = nullptr;
  CookieFields fields;
  if (!ReadCookieFields(cookieParam, fields)) return E_INVALIDARG;
  *cookie = MakeComObject<ChromiumCookie>(std::move(fields)).Detach();
  return S_OK;
}

HRESULT ChromiumCookieManager::GetCookies(LPCWSTR uri, ICoreWebView2GetCookiesCompletedHandler* handler) {
  if (handler == nullptr) return E_POINTER;
  if (!commands_->Usable()) return kCookiesNotUsable;
  const std::u16string_view target = ReadText(uri);
  ComPtr<ICoreWebView2GetCookiesCompletedHandler> completion(handler);
  auto answered = [completion](const DevToolsSession::Answer& answer) {
    if (!answer.Succeeded()) {
      Trace("cookies: getCookies refused");
      completion->Invoke(E_FAIL, nullptr);
      return;
    }
    ComPtr<ICoreWebView2CookieList> list =
        MakeComObject<ChromiumCookieList>(CookiesFromAnswer(answer.result));
    completion->Invoke(S_OK, list.Get());
  };
  if (target.empty()) {
    commands_->Send("Storage.getCookies", "{}", std::move(answered));
  } else {
    commands_->Send("Network.getCookies", GetCookiesParams(target), std::move(answered));
  }
  return S_OK;
}

HRESULT ChromiumCookieManager::Change(const char* method, std::string params) {
  if (!commands_->Usable()) return kCookiesNotUsable;
  commands_->Send(method, std::move(params), [method](const DevToolsSession::Answer& answer) {
    if (!answer.Succeeded() ||
        (answer.result.Find(u"success") != nullptr && !BoolMember(answer.result, u"success")))
      Trace(std::string("cookies: ") + method + " refused");
  });
  return S_OK;
}

HRESULT ChromiumCookieManager::AddOrUpdateCookie(ICoreWebView2Cookie* cookie) {
  CookieFields fields;
  if (!ReadCookieFields(cookie, fields)) return E_INVALIDARG;
  std::optional<std::string> params = SetCookieParams(fields);
  if (!params) return E_INVALIDARG;
  return Change("Network.setCookie", std::move(*params));
}

HRESULT ChromiumCookieManager::DeleteCookie(ICoreWebView2Cookie* cookie) {
  CookieFields fields;
  if (!ReadCookieFields(cookie, fields)) return E_INVALIDARG;
  return Change("Network.deleteCookies",
                DeleteCookiesOnDomainParams(fields.name, fields.domain, fields.path));
}

HRESULT ChromiumCookieManager::DeleteCookies(LPCWSTR name, LPCWSTR uri) {
  if (name == nullptr || uri == nullptr) return E_INVALIDARG;
  return Change("Network.deleteCookies", DeleteCookiesForUriParams(ReadText(name), ReadText(uri)));
}

HRESULT ChromiumCookieManager::DeleteCookiesWithDomainAndPath(LPCWSTR name, LPCWSTR domain, LPCWSTR path) {
  if (name == nullptr || domain == nullptr) return E_INVALIDARG;
  return Change("Network.deleteCookies",
                DeleteCookiesOnDomainParams(ReadText(name), ReadText(domain), ReadText(path)));
}

HRESULT ChromiumCookieManager::DeleteAllCookies() { return Change("Network.clearBrowserCookies", "{}"); }

// --- The webview's door to it ---

HRESULT ChromiumWebView::get_CookieManager(ICoreWebView2CookieManager** cookieManager) {
  if (cookieManager == nullptr) return E_POINTER;
  *cookieManager = nullptr;
  if (!Usable()) return kCookiesNotUsable;
  if (!cookieCommands_) cookieCommands_ = std::make_shared<CookieCommands>(browser_);
  *cookieManager = MakeComObject<ChromiumCookieManager>(cookieCommands_).Detach();
  return S_OK;
}

}  // namespace velmoran::runtime::chromium
