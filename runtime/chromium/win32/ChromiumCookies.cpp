#include "runtime/chromium/win32/ChromiumCookies.h"

#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "runtime/chromium/win32/ChromiumWebView.h"
#include "runtime/chromium/win32/TaskMemText.h"
#include "runtime/chromium/win32/Trace.h"
#include "runtime/common/CookieObjects.h"
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

bool ReadFields(ICoreWebView2Cookie* cookie, CookieFields& out) {
  return ReadCookieFields(cookie, TakeCookieText, out);
}

ComPtr<ICoreWebView2Cookie> MakeCookie(CookieFields fields) {
  return MakeComObject<CookieObject>(HandOutText, std::move(fields));
}

ComPtr<ICoreWebView2CookieList> CookieList(std::vector<CookieFields> found) {
  std::vector<ComPtr<ICoreWebView2Cookie>> cookies;
  cookies.reserve(found.size());
  for (CookieFields& fields : found) cookies.push_back(MakeCookie(std::move(fields)));
  return MakeComObject<CookieListObject>(std::move(cookies));
}

}  // namespace

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
  *cookie = MakeCookie(std::move(fields)).Detach();
  return S_OK;
}

HRESULT ChromiumCookieManager::CopyCookie(ICoreWebView2Cookie* cookieParam, ICoreWebView2Cookie** cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = nullptr;
  CookieFields fields;
  if (!ReadFields(cookieParam, fields)) return E_INVALIDARG;
  *cookie = MakeCookie(std::move(fields)).Detach();
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
    ComPtr<ICoreWebView2CookieList> list = CookieList(CookiesFromAnswer(answer.result));
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
  if (!ReadFields(cookie, fields)) return E_INVALIDARG;
  std::optional<std::string> params = SetCookieParams(fields);
  if (!params) return E_INVALIDARG;
  return Change("Network.setCookie", std::move(*params));
}

HRESULT ChromiumCookieManager::DeleteCookie(ICoreWebView2Cookie* cookie) {
  CookieFields fields;
  if (!ReadFields(cookie, fields)) return E_INVALIDARG;
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
