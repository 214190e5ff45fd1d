// Cookies on the real engine: a cookie set through the control reaches the
// page served by Apache (document.cookie, when it is not HttpOnly), GetCookies
// for the page's URL returns it with the fields it was given, one the page
// set itself comes back too, and after the deletions none of them is left.

#include <windows.h>

#include <cmath>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Win32Com.h"
#include "tests/engine/family/EngineFamilyFixture.h"
#include "webview/browser/TCoreWebView2Cookie.h"
#include "webview/browser/TCoreWebView2CookieList.h"

namespace velmoran::test::engine {
namespace {

using webview::ComPtr;
using webview::TCoreWebView2Cookie;
using webview::TCoreWebView2CookieList;

struct SeenCookie {
  std::u16string name;
  std::u16string value;
  std::u16string domain;
  std::u16string path;
  double expires = 0;
  bool httpOnly = false;
  COREWEBVIEW2_COOKIE_SAME_SITE_KIND sameSite = COREWEBVIEW2_COOKIE_SAME_SITE_KIND_NONE;
  bool secure = false;
  bool session = false;
};

class CookiesEngineTest : public EngineFamilyFixture {
 protected:
  // GetCookies(uri) through the control, answered through OnGetCookiesCompleted.
  std::optional<std::vector<SeenCookie>> CookiesFor(std::u16string_view uri) {
    bool done = false;
    HRESULT code = E_FAIL;
    std::vector<SeenCookie> seen;
    Hook(Browser().OnGetCookiesCompleted,
         [&](webview::TWVBrowserBase*, HRESULT aCode, ICoreWebView2CookieList* aList) {
           code = aCode;
           const TCoreWebView2CookieList list(aList);
           for (std::uint32_t i = 0; i < list.Count(); ++i) {
             const TCoreWebView2Cookie cookie(list.Items(i).Get(), com_);
             seen.push_back({cookie.Name(), cookie.Value(), cookie.Domain(), cookie.Path(), cookie.Expires(),
                             cookie.IsHttpOnly(), cookie.SameSite(), cookie.IsSecure(), cookie.IsSession()});
           }
           done = true;
         });
    if (!Browser().GetCookies(uri)) return std::nullopt;
    if (!WaitForFlag(done) || FAILED(code)) return std::nullopt;
    return seen;
  }
  static const SeenCookie* Named(const std::vector<SeenCookie>& cookies, std::u16string_view name) {
    for (const SeenCookie& cookie : cookies)
      if (cookie.name == name) return &cookie;
    return nullptr;
  }
  // What the page's script reads from document.cookie, as JSON text.
  std::u16string PageCookies() {
    return Engine().ExecuteScriptAndWait(u"document.cookie").value_or(u"<no answer>");
  }

  platform::win32::Win32Com com_;
};

TEST_F(CookiesEngineTest, ACookieSetThroughTheControlReachesThePageAndComesBackUntilDeleted) {
  const std::u16string page = PageURL(u"cookies/index.html");
  ASSERT_TRUE(Engine().NavigateAndWait(page));
  const double expires = std::floor(static_cast<double>(std::time(nullptr))) + 3600;

  const ComPtr<ICoreWebView2Cookie> visible =
      Browser().CreateCookie(u"family_visible", u"seen-by-page", u"localhost", u"/www/cookies");
  ASSERT_TRUE(visible);
  TCoreWebView2Cookie visibleFields(visible.Get(), com_);
  ASSERT_TRUE(visibleFields.SetExpires(expires));
  ASSERT_TRUE(visibleFields.SetSameSite(COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT));
  ASSERT_TRUE(Browser().AddOrUpdateCookie(visible.Get()));
  const ComPtr<ICoreWebView2Cookie> hidden =
      Browser().CreateCookie(u"family_hidden", u"server-only", u"localhost", u"/www/cookies");
  ASSERT_TRUE(hidden);
  ASSERT_TRUE(TCoreWebView2Cookie(hidden.Get(), com_).SetIsHttpOnly(true));
  ASSERT_TRUE(Browser().AddOrUpdateCookie(hidden.Get()));

  // The page, loaded again, reads the visible one and not the HttpOnly one.
  ASSERT_TRUE(Engine().NavigateAndWait(page));
  std::u16string inPage = PageCookies();
  EXPECT_NE(inPage.find(u"family_visible=seen-by-page"), std::u16string::npos) << Utf16ToUtf8(inPage);
  EXPECT_EQ(inPage.find(u"family_hidden"), std::u16string::npos) << Utf16ToUtf8(inPage);
  ASSERT_TRUE(Engine().ExecuteScriptAndWait(u"document.cookie = 'family_page=made-here; path=/www'; 1"));

  std::optional<std::vector<SeenCookie>> cookies = CookiesFor(page);
  ASSERT_TRUE(cookies);
  const SeenCookie* seen = Named(*cookies, u"family_visible");
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen->value, u"seen-by-page");
  EXPECT_EQ(seen->domain, u"localhost");
  EXPECT_EQ(seen->path, u"/www/cookies");
  EXPECT_NEAR(seen->expires, expires, 1.0);
  EXPECT_FALSE(seen->httpOnly);
  EXPECT_EQ(seen->sameSite, COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT);
  EXPECT_FALSE(seen->secure);
  EXPECT_FALSE(seen->session);
  const SeenCookie* server = Named(*cookies, u"family_hidden");
  ASSERT_NE(server, nullptr);
  EXPECT_TRUE(server->httpOnly);
  EXPECT_TRUE(server->session);
  EXPECT_EQ(server->expires, -1.0);
  const SeenCookie* made = Named(*cookies, u"family_page");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->value, u"made-here");
  EXPECT_EQ(made->path, u"/www");
  // A URL the cookies' paths do not cover gets none of them.
  std::optional<std::vector<SeenCookie>> elsewhere = CookiesFor(PageURL(u"index.html"));
  ASSERT_TRUE(elsewhere);
  EXPECT_EQ(Named(*elsewhere, u"family_visible"), nullptr);
  EXPECT_NE(Named(*elsewhere, u"family_page"), nullptr);

  EXPECT_TRUE(Browser().DeleteCookie(visible.Get()));
  EXPECT_TRUE(Browser().DeleteCookies(u"family_hidden", page));
  EXPECT_TRUE(Browser().DeleteCookiesWithDomainAndPath(u"family_page", u"localhost", u"/www"));
  cookies = CookiesFor(page);
  ASSERT_TRUE(cookies);
  EXPECT_EQ(Named(*cookies, u"family_visible"), nullptr);
  EXPECT_EQ(Named(*cookies, u"family_hidden"), nullptr);
  EXPECT_EQ(Named(*cookies, u"family_page"), nullptr);
  ASSERT_TRUE(Engine().NavigateAndWait(page));
  inPage = PageCookies();
  EXPECT_EQ(inPage.find(u"family_"), std::u16string::npos) << Utf16ToUtf8(inPage);
}

TEST_F(CookiesEngineTest, DeleteAllCookiesEmptiesTheProfile) {
  ASSERT_TRUE(Engine().NavigateAndWait(PageURL(u"cookies/index.html")));
  ASSERT_TRUE(Engine().ExecuteScriptAndWait(u"document.cookie = 'family_any=1; path=/'; 1"));
  std::optional<std::vector<SeenCookie>> all = CookiesFor(u"");
  ASSERT_TRUE(all);
  EXPECT_NE(Named(*all, u"family_any"), nullptr);
  EXPECT_TRUE(Browser().DeleteAllCookies());
  all = CookiesFor(u"");
  ASSERT_TRUE(all);
  EXPECT_TRUE(all->empty()) << all->size() << " left";
}

}  // namespace
}  // namespace velmoran::test::engine
