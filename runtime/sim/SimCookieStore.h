#pragma once

// The simulated runtime's cookies: one store per profile (an InPrivate
// profile has one of its own), reached through the webview's
// get_CookieManager. Cookies are matched to a URI as a browser matches them:
// the host against the domain (a domain starting with '.' covers its
// subdomains too, any other only that host), the URI's path against the
// cookie's path, Secure ones only over https; a cookie whose expiry has
// passed on the simulated clock is gone, and one without expiry (-1) is a
// session cookie. The simulated machine's clock reads UTC. GetCookies
// completes later, from the message queue, with copies of the matches.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/common/CookieFields.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

using SimCookieFields = CookieFields;

class SimCookieStore {
 public:
  // `now` answers the present in seconds since 1970-01-01 UTC.
  explicit SimCookieStore(std::function<double()> now) : now_(std::move(now)) {}

  // The cookies `uri` would carry, longest path first, then oldest first;
  // every cookie of the store when `uri` is empty. False for a URI that is
  // not http or https.
  bool Matching(std::u16string_view uri, std::vector<SimCookieFields>& out);
  // Adds the cookie, or replaces the one with its name, domain and path; one
  // whose expiry has passed only removes that one. False for a cookie without
  // name or domain.
  bool AddOrUpdate(const SimCookieFields& cookie);
  // Removes the cookie with that name, domain and path.
  void Delete(const SimCookieFields& cookie);
  // Removes the cookies named `name` that `uri` would carry.
  bool DeleteNamedForUri(std::u16string_view name, std::u16string_view uri);
  // Removes the cookies named `name` on `domain` (and `path`, unless empty).
  void DeleteNamedOnDomain(std::u16string_view name, std::u16string_view domain, std::u16string_view path);
  void DeleteAll() { cookies_.clear(); }
  std::size_t Size() { return Live().size(); }

 private:
  std::vector<SimCookieFields>& Live();

  std::function<double()> now_;
  std::vector<SimCookieFields> cookies_;
};

// The store of the profile `profileName` (InPrivate or not) in the runtime of `context`.
std::shared_ptr<SimCookieStore> CookieStoreOf(SimRuntimeContext& context, const std::u16string& profileName,
                                              bool isInPrivate);

// ICoreWebView2CookieManager over one profile's store.
class SimCookieManager final : public webview::ComObject<ICoreWebView2CookieManager> {
 public:
  SimCookieManager(std::shared_ptr<SimRuntimeContext> context, std::shared_ptr<SimCookieStore> store)
      : context_(std::move(context)), store_(std::move(store)) {}

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
  std::shared_ptr<SimRuntimeContext> context_;
  std::shared_ptr<SimCookieStore> store_;
};

}  // namespace velmoran::runtime::sim
