#pragma once

// The cookie manager of the Chromium runtime: the runtime's cookie objects
// over Chromium's protocol (runtime/chromium/CookieProtocol.h). Creating and
// copying a cookie object touches no browser; GetCookies asks
// Network.getCookies for the URI (Storage.getCookies for every cookie when the
// URI is empty) and completes with the answer; the changes are sent as
// Network.setCookie, Network.deleteCookies and Network.clearBrowserCookies.
// Chromium carries out cookie commands side by side, so a webview's cookie
// commands are sent one at a time, each once the one before has been
// answered: a GetCookies after a change sees it. A change Chromium refuses
// answers S_OK here all the same (the call returns before Chromium answers)
// and leaves a trace line.

#include <deque>
#include <memory>
#include <string>

#include "runtime/chromium/CookieProtocol.h"
#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::chromium {

// One webview's cookie commands, in the order they were asked for.
class CookieCommands final : public std::enable_shared_from_this<CookieCommands> {
 public:
  explicit CookieCommands(std::shared_ptr<ChromiumBrowser> browser) : browser_(std::move(browser)) {}

  bool Usable() const { return browser_->Usable(); }
  void Send(std::string method, std::string params, DevToolsSession::AnswerHandler onAnswer);

 private:
  struct Command {
    std::string method;
    std::string params;
    DevToolsSession::AnswerHandler onAnswer;
  };
  void SendNext();

  std::shared_ptr<ChromiumBrowser> browser_;
  std::deque<Command> waiting_;
  bool busy_ = false;
};

class ChromiumCookieManager final : public webview::ComObject<ICoreWebView2CookieManager> {
 public:
  explicit ChromiumCookieManager(std::shared_ptr<CookieCommands> commands) : commands_(std::move(commands)) {}

  HRESULT WV2_STDCALL CreateCookie(LPCWSTR name, LPCWSTR value, LPCWSTR domain, LPCWSTR path,
                                   ICoreWebView2Cookie** cookie) override;
  HRESULT WV2_STDCALL CopyCookie(ICoreWebView2Cookie* cookieParam, ICoreWebView2Cookie** cookie) override;
  HRESULT WV2_STDCALL GetCookies(LPCWSTR uri, ICoreWebView2GetCookiesCompletedHandler* handler) override;
  HRESULT WV2_STDCALL AddOrUpdateCookie(ICoreWebView2Cookie* cookie) override;
  HRESULT WV2_STDCALL DeleteCookie(ICoreWebView2Cookie* cookie) override;
  HRESULT WV2_STDCALL DeleteCookies(LPCWSTR name, LPCWSTR uri) override;
  HRESULT WV2_STDCALL DeleteCookiesWithDomainAndPath(LPCWSTR name, LPCWSTR domain, LPCWSTR path) override;
  HRESULT WV2_STDCALL DeleteAllCookies() override;

 private:
  // Sends a change; its refusal by Chromium is only traced.
  HRESULT Change(const char* method, std::string params);

  std::shared_ptr<CookieCommands> commands_;
};

}  // namespace velmoran::runtime::chromium
