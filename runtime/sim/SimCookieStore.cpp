#include "runtime/sim/SimCookieStore.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"
#include "runtime/common/CookieObjects.h"
#include "runtime/sim/SimWebView.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/WideText.h"

namespace velmoran::runtime::sim {

using webview::ComPtr;
using webview::MakeComObject;

namespace {

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

double SecondsSinceEpoch(const platform::SystemTime& time) {
  const std::int64_t days = DaysFromCivil(time.year, time.month, time.day);
  const std::int64_t seconds = std::int64_t{time.hour} * 3600 + std::int64_t{time.minute} * 60 + time.second;
  return static_cast<double>(days * 86400 + seconds) + time.milliseconds / 1000.0;
}

struct ParsedUri {
  bool secure = false;
  std::u16string host;
  std::u16string path;
};

bool ParseUri(std::u16string_view uri, ParsedUri& out) {
  const std::size_t colon = uri.find(u"://");
  if (colon == std::u16string_view::npos) return false;
  const std::u16string scheme = ToLowerAscii(uri.substr(0, colon));
  if (scheme != u"http" && scheme != u"https") return false;
  out.secure = scheme == u"https";
  std::u16string_view rest = uri.substr(colon + 3);
  const std::size_t end = rest.find_first_of(u"/?#");
  std::u16string_view authority = rest.substr(0, end);
  if (const std::size_t at = authority.rfind(u'@'); at != std::u16string_view::npos)
    authority = authority.substr(at + 1);
  if (const std::size_t port = authority.rfind(u':'); port != std::u16string_view::npos)
    authority = authority.substr(0, port);
  if (authority.empty()) return false;
  out.host = ToLowerAscii(authority);
  std::u16string_view path = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end);
  path = path.substr(0, path.find_first_of(u"?#"));
  out.path = path.empty() || path.front() != u'/' ? std::u16string(u"/") : std::u16string(path);
  return true;
}

bool DomainMatches(const std::u16string& host, std::u16string_view domain) {
  const std::u16string cookieDomain = ToLowerAscii(domain);
  if (!cookieDomain.empty() && cookieDomain.front() == u'.') {
    const std::u16string_view bare = std::u16string_view(cookieDomain).substr(1);
    return host == bare || (host.size() > bare.size() && host.ends_with(cookieDomain));
  }
  return host == cookieDomain;
}

bool PathMatches(const std::u16string& requestPath, const std::u16string& cookiePath) {
  if (requestPath == cookiePath) return true;
  if (!requestPath.starts_with(cookiePath)) return false;
  return cookiePath.ends_with(u'/') || requestPath[cookiePath.size()] == u'/';
}

bool Carries(const ParsedUri& uri, const SimCookieFields& cookie) {
  return DomainMatches(uri.host, cookie.domain) && PathMatches(uri.path, cookie.path) &&
         (!cookie.secure || uri.secure);
}

bool SameCookie(const SimCookieFields& a, const SimCookieFields& b) {
  return a.name == b.name && ToLowerAscii(a.domain) == ToLowerAscii(b.domain) && a.path == b.path;
}

HRESULT HandOut(platform::Com& com, std::u16string_view text, LPWSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = webview::CoTaskMemDup(com, text);
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The fields of any cookie object, read through its interface, its texts
// freed through the simulated task allocator.
bool ReadFields(platform::Com& com, ICoreWebView2Cookie* cookie, SimCookieFields& out) {
  return ReadCookieFields(
      cookie,
      [&com](LPWSTR text) {
        std::u16string copy(webview::FromWideText(text));
        com.CoTaskMemFree(text);
        return copy;
      },
      out);
}

ComPtr<ICoreWebView2Cookie> MakeCookie(platform::Com& com, SimCookieFields fields) {
  return MakeComObject<CookieObject>(
      [&com](std::u16string_view text, LPWSTR* out) { return HandOut(com, text, out); }, std::move(fields));
}

}  // namespace

// --- The store ---

std::vector<SimCookieFields>& SimCookieStore::Live() {
  const double now = now_();
  std::erase_if(cookies_, [now](const SimCookieFields& c) { return c.expires >= 0 && c.expires <= now; });
  return cookies_;
}

bool SimCookieStore::Matching(std::u16string_view uri, std::vector<SimCookieFields>& out) {
  out.clear();
  if (uri.empty()) {
    out = Live();
    return true;
  }
  ParsedUri parsed;
  if (!ParseUri(uri, parsed)) return false;
  for (const SimCookieFields& cookie : Live())
    if (Carries(parsed, cookie)) out.push_back(cookie);
  std::stable_sort(out.begin(), out.end(), [](const SimCookieFields& a, const SimCookieFields& b) {
    return a.path.size() > b.path.size();
  });
  return true;
}

bool SimCookieStore::AddOrUpdate(const SimCookieFields& cookie) {
  if (cookie.name.empty() || cookie.domain.empty()) return false;
  std::vector<SimCookieFields>& live = Live();
  const auto same =
      std::find_if(live.begin(), live.end(), [&](const SimCookieFields& c) { return SameCookie(c, cookie); });
  const bool expired = cookie.expires >= 0 && cookie.expires <= now_();
  if (same != live.end()) {
    if (expired) {
      live.erase(same);
    } else {
      *same = cookie;
    }
  } else if (!expired) {
    live.push_back(cookie);
  }
  return true;
}

void SimCookieStore::Delete(const SimCookieFields& cookie) {
  std::erase_if(cookies_, [&](const SimCookieFields& c) { return SameCookie(c, cookie); });
}

bool SimCookieStore::DeleteNamedForUri(std::u16string_view name, std::u16string_view uri) {
  ParsedUri parsed;
  if (!ParseUri(uri, parsed)) return false;
  std::erase_if(Live(), [&](const SimCookieFields& c) {
    return c.name == name && DomainMatches(parsed.host, c.domain) && PathMatches(parsed.path, c.path);
  });
  return true;
}

void SimCookieStore::DeleteNamedOnDomain(std::u16string_view name, std::u16string_view domain,
                                         std::u16string_view path) {
  const std::u16string wanted = ToLowerAscii(domain);
  std::erase_if(Live(), [&](const SimCookieFields& c) {
    return c.name == name && ToLowerAscii(c.domain) == wanted && (path.empty() || c.path == path);
  });
}

std::shared_ptr<SimCookieStore> CookieStoreOf(SimRuntimeContext& context, const std::u16string& profileName,
                                              bool isInPrivate) {
  // An InPrivate profile never shares cookies with the one of the same name on disk.
  const std::u16string key = (isInPrivate ? u"inprivate:" : u"profile:") + profileName;
  std::shared_ptr<SimCookieStore>& store = context.CookieStores()[key];
  if (!store) {
    platform::Clock& clock = context.Platform().clock();
    store = std::make_shared<SimCookieStore>([&clock] { return SecondsSinceEpoch(clock.GetLocalTime()); });
  }
  return store;
}

// --- The manager ---

HRESULT SimCookieManager::CreateCookie(LPCWSTR name, LPCWSTR value, LPCWSTR domain, LPCWSTR path,
                                       ICoreWebView2Cookie** cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = nullptr;
  if (const HRESULT scripted = context_->CallResult("CreateCookie"); FAILED(scripted)) return scripted;
  if (name == nullptr || value == nullptr || domain == nullptr || path == nullptr) return E_INVALIDARG;
  SimCookieFields fields;
  fields.name = std::u16string(webview::FromWideText(name));
  fields.value = std::u16string(webview::FromWideText(value));
  fields.domain = std::u16string(webview::FromWideText(domain));
  fields.path = std::u16string(webview::FromWideText(path));
  if (fields.name.empty() || fields.domain.empty()) return E_INVALIDARG;
  // An empty path is the root; push_back, since an assignment here trips a false -Wrestrict of GCC 12.
  if (fields.path.empty()) fields.path.push_back(u'/');
  *cookie = MakeCookie(context_->Com(), std::move(fields)).Detach();
  return S_OK;
}

HRESULT SimCookieManager::CopyCookie(ICoreWebView2Cookie* cookieParam, ICoreWebView2Cookie** cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = nullptr;
  if (const HRESULT scripted = context_->CallResult("CopyCookie"); FAILED(scripted)) return scripted;
  SimCookieFields fields;
  if (!ReadFields(context_->Com(), cookieParam, fields)) return E_INVALIDARG;
  *cookie = MakeCookie(context_->Com(), std::move(fields)).Detach();
  return S_OK;
}

HRESULT SimCookieManager::GetCookies(LPCWSTR uri, ICoreWebView2GetCookiesCompletedHandler* handler) {
  if (handler == nullptr) return E_POINTER;
  if (const HRESULT scripted = context_->CallResult("GetCookies"); FAILED(scripted)) return scripted;
  std::vector<SimCookieFields> found;
  if (!store_->Matching(webview::FromWideText(uri), found)) return E_INVALIDARG;
  std::vector<ComPtr<ICoreWebView2Cookie>> cookies;
  cookies.reserve(found.size());
  for (SimCookieFields& fields : found) cookies.push_back(MakeCookie(context_->Com(), std::move(fields)));
  ComPtr<ICoreWebView2GetCookiesCompletedHandler> completion(handler);
  ComPtr<ICoreWebView2CookieList> list = MakeComObject<CookieListObject>(std::move(cookies));
  context_->Post([completion, list] { completion->Invoke(S_OK, list.Get()); });
  return S_OK;
}

HRESULT SimCookieManager::AddOrUpdateCookie(ICoreWebView2Cookie* cookie) {
  if (const HRESULT scripted = context_->CallResult("AddOrUpdateCookie"); FAILED(scripted)) return scripted;
  SimCookieFields fields;
  if (!ReadFields(context_->Com(), cookie, fields)) return E_INVALIDARG;
  return store_->AddOrUpdate(fields) ? S_OK : E_INVALIDARG;
}

HRESULT SimCookieManager::DeleteCookie(ICoreWebView2Cookie* cookie) {
  if (const HRESULT scripted = context_->CallResult("DeleteCookie"); FAILED(scripted)) return scripted;
  SimCookieFields fields;
  if (!ReadFields(context_->Com(), cookie, fields)) return E_INVALIDARG;
  store_->Delete(fields);
  return S_OK;
}

HRESULT SimCookieManager::DeleteCookies(LPCWSTR name, LPCWSTR uri) {
  if (const HRESULT scripted = context_->CallResult("DeleteCookies"); FAILED(scripted)) return scripted;
  if (name == nullptr || uri == nullptr) return E_INVALIDARG;
  return store_->DeleteNamedForUri(webview::FromWideText(name), webview::FromWideText(uri)) ? S_OK
                                                                                            : E_INVALIDARG;
}

HRESULT SimCookieManager::DeleteCookiesWithDomainAndPath(LPCWSTR name, LPCWSTR domain, LPCWSTR path) {
  if (const HRESULT scripted = context_->CallResult("DeleteCookiesWithDomainAndPath"); FAILED(scripted))
    return scripted;
  if (name == nullptr || domain == nullptr) return E_INVALIDARG;
  store_->DeleteNamedOnDomain(webview::FromWideText(name), webview::FromWideText(domain),
                              webview::FromWideText(path));
  return S_OK;
}

HRESULT SimCookieManager::DeleteAllCookies() {
  if (const HRESULT scripted = context_->CallResult("DeleteAllCookies"); FAILED(scripted)) return scripted;
  store_->DeleteAll();
  return S_OK;
}

// --- The webview's door to it ---

HRESULT SimWebView::get_CookieManager(ICoreWebView2CookieManager** cookieManager) {
  if (cookieManager == nullptr) return E_POINTER;
  *cookieManager = nullptr;
  if (const HRESULT scripted = Context().CallResult("get_CookieManager"); FAILED(scripted)) return scripted;
  *cookieManager =
      MakeComObject<SimCookieManager>(SharedContext(), CookieStoreOf(Context(), profileName_, isInPrivate_))
          .Detach();
  return S_OK;
}

}  // namespace velmoran::runtime::sim
