// The browser control's cookie members on the simulated runtime: nothing
// before the browser is Initialized or without the webview version that
// carries the cookie manager; then one runtime call each, its answer passed
// on, and GetCookies reporting through OnGetCookiesCompleted. The store
// behind them matches cookies to a URI as a browser does and honours expiry
// on the simulated clock.

#include <functional>
#include <string>
#include <vector>

#include "runtime/sim/SimCookieStore.h"
#include "tests/webview/browser/BrowserFixture.h"
#include "webview/browser/TCoreWebView2Cookie.h"
#include "webview/browser/TCoreWebView2CookieList.h"

namespace velmoran::test {
namespace {

using webview::ComPtr;
using webview::TCoreWebView2Cookie;
using webview::TCoreWebView2CookieList;

// Seconds since 1970-01-01 UTC of the simulated clock's start (2026-04-28 09:05:07.045).
constexpr double kSimNow = 1777367107.045;

struct StoredCookie {
  const char16_t* name;
  const char16_t* domain;
  const char16_t* path;
  bool secure = false;
};

struct CookieMember {
  const char* name;
  std::function<bool(TWVBrowserBase&, ICoreWebView2Cookie*)> call;  // true when the control did something
  const char* runtimeMethod;
};

const std::vector<CookieMember>& CookieMembers() {
  static const std::vector<CookieMember> members = {
      {"GetCookies",
       [](TWVBrowserBase& b, ICoreWebView2Cookie*) { return b.GetCookies(u"http://example.com/"); },
       "GetCookies"},
      {"CreateCookie",
       [](TWVBrowserBase& b, ICoreWebView2Cookie*) {
         return static_cast<bool>(b.CreateCookie(u"n", u"v", u"example.com", u"/"));
       },
       "CreateCookie"},
      {"CopyCookie",
       [](TWVBrowserBase& b, ICoreWebView2Cookie* c) { return static_cast<bool>(b.CopyCookie(c)); },
       "CopyCookie"},
      {"AddOrUpdateCookie", [](TWVBrowserBase& b, ICoreWebView2Cookie* c) { return b.AddOrUpdateCookie(c); },
       "AddOrUpdateCookie"},
      {"DeleteCookie", [](TWVBrowserBase& b, ICoreWebView2Cookie* c) { return b.DeleteCookie(c); },
       "DeleteCookie"},
      {"DeleteCookies",
       [](TWVBrowserBase& b, ICoreWebView2Cookie*) { return b.DeleteCookies(u"n", u"http://example.com/"); },
       "DeleteCookies"},
      {"DeleteCookiesWithDomainAndPath",
       [](TWVBrowserBase& b, ICoreWebView2Cookie*) {
         return b.DeleteCookiesWithDomainAndPath(u"n", u"example.com", u"/");
       },
       "DeleteCookiesWithDomainAndPath"},
      {"DeleteAllCookies", [](TWVBrowserBase& b, ICoreWebView2Cookie*) { return b.DeleteAllCookies(); },
       "DeleteAllCookies"},
  };
  return members;
}

class BrowserCookiesTest : public BrowserTest {
 protected:
  void SetUp() override {
    browser->OnGetCookiesCompleted = [this](TWVBrowserBase*, HRESULT code, ICoreWebView2CookieList* list) {
      ++completions;
      lastCode = code;
      names.clear();
      lastList = ComPtr<ICoreWebView2CookieList>(list);
      const TCoreWebView2CookieList cookies(list);
      for (std::uint32_t i = 0; i < cookies.Count(); ++i)
        names.push_back(TCoreWebView2Cookie(cookies.Items(i).Get(), sim.com()).Name());
    };
  }

  // A cookie object the control made; the test fails when it made none.
  ComPtr<ICoreWebView2Cookie> Make(const StoredCookie& stored) {
    ComPtr<ICoreWebView2Cookie> cookie =
        browser->CreateCookie(stored.name, u"value", stored.domain, stored.path);
    EXPECT_TRUE(cookie) << "CreateCookie " << Utf16ToUtf8(stored.name);
    if (cookie && stored.secure) {
      EXPECT_TRUE(TCoreWebView2Cookie(cookie.Get(), sim.com()).SetIsSecure(true));
    }
    return cookie;
  }
  void Add(const StoredCookie& stored) {
    const ComPtr<ICoreWebView2Cookie> cookie = Make(stored);
    ASSERT_TRUE(cookie);
    ASSERT_TRUE(browser->AddOrUpdateCookie(cookie.Get()));
  }
  // The names GetCookies(uri) reported, in order.
  std::vector<std::u16string> NamesFor(std::u16string_view uri) {
    const int before = completions;
    EXPECT_TRUE(browser->GetCookies(uri));
    EXPECT_EQ(completions, before) << "completed inside the call";
    Pump();
    EXPECT_EQ(completions, before + 1);
    EXPECT_EQ(lastCode, S_OK);
    return names;
  }

  int completions = 0;
  HRESULT lastCode = E_FAIL;
  std::vector<std::u16string> names;
  ComPtr<ICoreWebView2CookieList> lastList;
};

TEST_F(BrowserCookiesTest, EveryMemberDoesNothingBeforeTheBrowserIsInitialized) {
  StartRuntime();
  for (const CookieMember& member : CookieMembers()) {
    SCOPED_TRACE(member.name);
    EXPECT_FALSE(member.call(*browser, nullptr));
  }
  EXPECT_EQ(completions, 0);
}

TEST_F(BrowserCookiesTest, EveryMemberDoesNothingWhenTheWebViewHandsOutNoCookieManager) {
  CreateBrowserNow();
  ASSERT_TRUE(browser->Initialized());
  const ComPtr<ICoreWebView2Cookie> cookie = browser->CreateCookie(u"n", u"v", u"example.com", u"/");
  ASSERT_TRUE(cookie);
  runtime->SetCallResult("get_CookieManager", E_NOINTERFACE);
  for (const CookieMember& member : CookieMembers()) {
    SCOPED_TRACE(member.name);
    EXPECT_FALSE(member.call(*browser, cookie.Get()));
  }
  Pump();
  EXPECT_EQ(completions, 0);
}

TEST_F(BrowserCookiesTest, EveryMemberAnswersFalseWhenTheRuntimeRefuses) {
  CreateBrowserNow();
  for (const CookieMember& member : CookieMembers()) {
    SCOPED_TRACE(member.name);
    const ComPtr<ICoreWebView2Cookie> cookie = browser->CreateCookie(u"n", u"v", u"example.com", u"/");
    ASSERT_TRUE(cookie);
    runtime->SetCallResult(member.runtimeMethod, E_UNEXPECTED);
    EXPECT_FALSE(member.call(*browser, cookie.Get()));
    runtime->SetCallResult(member.runtimeMethod, S_OK);
    EXPECT_TRUE(member.call(*browser, cookie.Get()));
  }
  Pump();
}

TEST_F(BrowserCookiesTest, NoCookieGivenIsRefusedWithALogLine) {
  CreateBrowserNow();
  const std::size_t logged = webview::SharedWebViewLoader()->ErrorLog().size();
  EXPECT_FALSE(browser->CopyCookie(nullptr));
  EXPECT_FALSE(browser->AddOrUpdateCookie(nullptr));
  EXPECT_FALSE(browser->DeleteCookie(nullptr));
  const std::vector<std::u16string>& log = webview::SharedWebViewLoader()->ErrorLog();
  ASSERT_EQ(log.size(), logged + 3);
  EXPECT_NE(log.back().find(u"DeleteCookie: no cookie was given"), std::u16string::npos);
}

TEST_F(BrowserCookiesTest, CreateCookieRefusesANameOrDomainLeftEmpty) {
  CreateBrowserNow();
  EXPECT_FALSE(browser->CreateCookie(u"", u"v", u"example.com", u"/"));
  EXPECT_FALSE(browser->CreateCookie(u"n", u"v", u"", u"/"));
  EXPECT_TRUE(browser->CreateCookie(u"n", u"", u"example.com", u""));
}

struct UriCase {
  const char16_t* uri;
  std::vector<std::u16string> names;  // in the order GetCookies reports them
};

TEST_F(BrowserCookiesTest, GetCookiesMatchesDomainPathAndSecureAsABrowserDoes) {
  CreateBrowserNow();
  Add({u"host", u"example.com", u"/"});
  Add({u"wide", u".example.com", u"/"});
  Add({u"docs", u"example.com", u"/docs"});
  Add({u"safe", u"example.com", u"/", true});
  const std::vector<UriCase> cases = {
      {u"http://example.com/", {u"host", u"wide"}},
      {u"https://example.com/docs/page.html?q=1", {u"docs", u"host", u"wide", u"safe"}},
      {u"http://EXAMPLE.com:8080/docs", {u"docs", u"host", u"wide"}},
      {u"http://example.com/docsx", {u"host", u"wide"}},
      {u"http://sub.example.com/docs", {u"wide"}},
      {u"http://badexample.com/", {}},
      {u"http://other.org/", {}},
      {u"", {u"host", u"wide", u"docs", u"safe"}},
  };
  for (const UriCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.uri));
    EXPECT_EQ(NamesFor(c.uri), c.names);
  }
  EXPECT_FALSE(browser->GetCookies(u"ftp://example.com/")) << "not a web address";
}

TEST_F(BrowserCookiesTest, EveryFieldSetOnACookieReadsBackFromGetCookies) {
  CreateBrowserNow();
  const ComPtr<ICoreWebView2Cookie> made = Make({u"full", u"example.com", u"/app"});
  ASSERT_TRUE(made);
  TCoreWebView2Cookie cookie(made.Get(), sim.com());
  EXPECT_TRUE(cookie.IsSession());
  EXPECT_EQ(cookie.Expires(), -1.0);
  EXPECT_TRUE(cookie.SetValue(u"changed"));
  EXPECT_TRUE(cookie.SetExpires(kSimNow + 3600));
  EXPECT_TRUE(cookie.SetIsHttpOnly(true));
  EXPECT_TRUE(cookie.SetSameSite(COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT));
  EXPECT_TRUE(cookie.SetIsSecure(true));
  EXPECT_FALSE(cookie.SetSameSite(static_cast<COREWEBVIEW2_COOKIE_SAME_SITE_KIND>(7))) << "no such kind";
  ASSERT_TRUE(browser->AddOrUpdateCookie(made.Get()));

  ASSERT_EQ(NamesFor(u"https://example.com/app/x"), std::vector<std::u16string>{u"full"});
  const TCoreWebView2CookieList list(lastList.Get());
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_FALSE(list.Items(1)) << "past the end";
  const TCoreWebView2Cookie read(list.Items(0).Get(), sim.com());
  EXPECT_EQ(read.Name(), u"full");
  EXPECT_EQ(read.Value(), u"changed");
  EXPECT_EQ(read.Domain(), u"example.com");
  EXPECT_EQ(read.Path(), u"/app");
  EXPECT_EQ(read.Expires(), kSimNow + 3600);
  EXPECT_TRUE(read.IsHttpOnly());
  EXPECT_EQ(read.SameSite(), COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT);
  EXPECT_TRUE(read.IsSecure());
  EXPECT_FALSE(read.IsSession());

  const ComPtr<ICoreWebView2Cookie> copy = browser->CopyCookie(made.Get());
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.Get(), made.Get());
  EXPECT_EQ(TCoreWebView2Cookie(copy.Get(), sim.com()).Value(), u"changed");
  EXPECT_EQ(TCoreWebView2Cookie(copy.Get(), sim.com()).Expires(), kSimNow + 3600);
}

TEST_F(BrowserCookiesTest, AddOrUpdateReplacesTheCookieOfTheSameNameDomainAndPath) {
  CreateBrowserNow();
  Add({u"n", u"example.com", u"/"});
  const ComPtr<ICoreWebView2Cookie> again = browser->CreateCookie(u"n", u"second", u"example.com", u"/");
  ASSERT_TRUE(browser->AddOrUpdateCookie(again.Get()));
  ASSERT_EQ(NamesFor(u"http://example.com/"), std::vector<std::u16string>{u"n"});
  EXPECT_EQ(TCoreWebView2Cookie(TCoreWebView2CookieList(lastList.Get()).Items(0).Get(), sim.com()).Value(),
            u"second");
}

TEST_F(BrowserCookiesTest, ACookieIsGoneOnceItsExpiryHasPassedOnTheClock) {
  CreateBrowserNow();
  const ComPtr<ICoreWebView2Cookie> cookie = Make({u"brief", u"example.com", u"/"});
  ASSERT_TRUE(TCoreWebView2Cookie(cookie.Get(), sim.com()).SetExpires(kSimNow + 60));
  ASSERT_TRUE(browser->AddOrUpdateCookie(cookie.Get()));
  Add({u"session", u"example.com", u"/"});
  EXPECT_EQ(NamesFor(u"http://example.com/"), (std::vector<std::u16string>{u"brief", u"session"}));
  sim.clock().Advance(59 * 1000);
  EXPECT_EQ(NamesFor(u"http://example.com/"), (std::vector<std::u16string>{u"brief", u"session"}));
  sim.clock().Advance(2 * 1000);
  EXPECT_EQ(NamesFor(u"http://example.com/"), std::vector<std::u16string>{u"session"});

  // Added with an expiry already past, a cookie only removes the one it names.
  const ComPtr<ICoreWebView2Cookie> expired = Make({u"session", u"example.com", u"/"});
  ASSERT_TRUE(TCoreWebView2Cookie(expired.Get(), sim.com()).SetExpires(kSimNow));
  ASSERT_TRUE(browser->AddOrUpdateCookie(expired.Get()));
  EXPECT_EQ(NamesFor(u"http://example.com/"), std::vector<std::u16string>{});
}

struct DeleteCase {
  const char* name;
  std::function<bool(TWVBrowserBase&, ICoreWebView2Cookie* first)> remove;
  std::vector<std::u16string> left;  // GetCookies("") afterwards
};

TEST_F(BrowserCookiesTest, EachDeletionRemovesWhatItNamesAndNothingElse) {
  const std::vector<DeleteCase> cases = {
      {"DeleteCookie",
       [](TWVBrowserBase& b, ICoreWebView2Cookie* c) { return b.DeleteCookie(c); },
       {u"a", u"a", u"b", u"a"}},
      {"DeleteCookies by URI",
       [](TWVBrowserBase& b, ICoreWebView2Cookie*) {
         return b.DeleteCookies(u"a", u"http://example.com/docs/");
       },
       {u"b", u"a"}},
      {"DeleteCookies elsewhere",
       [](TWVBrowserBase& b, ICoreWebView2Cookie*) { return b.DeleteCookies(u"a", u"http://nowhere.net/"); },
       {u"a", u"a", u"a", u"b", u"a"}},
      {"DeleteCookiesWithDomainAndPath",
       [](TWVBrowserBase& b, ICoreWebView2Cookie*) {
         return b.DeleteCookiesWithDomainAndPath(u"a", u"example.com", u"/docs");
       },
       {u"a", u"a", u"b", u"a"}},
      {"DeleteCookiesWithDomainAndPath, any path",
       [](TWVBrowserBase& b, ICoreWebView2Cookie*) {
         return b.DeleteCookiesWithDomainAndPath(u"a", u"example.com", u"");
       },
       {u"a", u"b", u"a"}},
      {"DeleteAllCookies", [](TWVBrowserBase& b, ICoreWebView2Cookie*) { return b.DeleteAllCookies(); }, {}},
  };
  CreateBrowserNow();
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(browser->DeleteAllCookies());
    const ComPtr<ICoreWebView2Cookie> first = Make({u"a", u"example.com", u"/"});
    ASSERT_TRUE(browser->AddOrUpdateCookie(first.Get()));
    Add({u"a", u"example.com", u"/docs"});
    Add({u"a", u".example.com", u"/"});
    Add({u"b", u"example.com", u"/"});
    Add({u"a", u"other.org", u"/"});
    EXPECT_TRUE(c.remove(*browser, first.Get()));
    EXPECT_EQ(NamesFor(u""), c.left);
  }
}

TEST_F(BrowserCookiesTest, EachProfileKeepsItsOwnCookies) {
  browser->SetProfileName(u"Work");
  CreateBrowserNow();
  Add({u"n", u"example.com", u"/"});
  runtime::sim::SimRuntimeContext& context = runtime->Context();
  EXPECT_EQ(runtime::sim::CookieStoreOf(context, u"Work", false)->Size(), 1u);
  EXPECT_EQ(runtime::sim::CookieStoreOf(context, u"Work", true)->Size(), 0u) << "InPrivate";
  EXPECT_EQ(runtime::sim::CookieStoreOf(context, u"Home", false)->Size(), 0u);
}

}  // namespace
}  // namespace velmoran::test
