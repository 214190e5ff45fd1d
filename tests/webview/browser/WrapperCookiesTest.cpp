// The cookie wrappers without the interface they wrap: every reader answers
// empty, 0 or false and every call false or none, and nothing is called.

#include <gtest/gtest.h>

#include "platform/sim/SimCom.h"
#include "webview/browser/TCoreWebView2Cookie.h"
#include "webview/browser/TCoreWebView2CookieList.h"
#include "webview/browser/TCoreWebView2CookieManager.h"

namespace velmoran::test {
namespace {

using webview::TCoreWebView2Cookie;
using webview::TCoreWebView2CookieList;
using webview::TCoreWebView2CookieManager;

TEST(WrapperCookiesTest, ACookieWrapperWithoutItsInterfaceAnswersNothing) {
  platform::sim::SimCom com;
  TCoreWebView2Cookie cookie(nullptr, com);
  EXPECT_FALSE(cookie.Initialized());
  EXPECT_EQ(cookie.Name(), u"");
  EXPECT_EQ(cookie.Value(), u"");
  EXPECT_EQ(cookie.Domain(), u"");
  EXPECT_EQ(cookie.Path(), u"");
  EXPECT_EQ(cookie.Expires(), 0.0);
  EXPECT_FALSE(cookie.IsHttpOnly());
  EXPECT_EQ(cookie.SameSite(), COREWEBVIEW2_COOKIE_SAME_SITE_KIND_NONE);
  EXPECT_FALSE(cookie.IsSecure());
  EXPECT_FALSE(cookie.IsSession());
  EXPECT_FALSE(cookie.SetValue(u"v"));
  EXPECT_FALSE(cookie.SetExpires(1));
  EXPECT_FALSE(cookie.SetIsHttpOnly(true));
  EXPECT_FALSE(cookie.SetSameSite(COREWEBVIEW2_COOKIE_SAME_SITE_KIND_LAX));
  EXPECT_FALSE(cookie.SetIsSecure(true));
}

TEST(WrapperCookiesTest, ListAndManagerWrappersWithoutTheirInterfacesAnswerNothing) {
  const TCoreWebView2CookieList list(nullptr);
  EXPECT_FALSE(list.Initialized());
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_FALSE(list.Items(0));

  const TCoreWebView2CookieManager manager(nullptr);
  EXPECT_FALSE(manager.Initialized());
  EXPECT_FALSE(manager.CreateCookie(u"n", u"v", u"example.com", u"/"));
  EXPECT_FALSE(manager.CopyCookie(nullptr));
  EXPECT_FALSE(manager.GetCookies(u"http://example.com/", nullptr));
  EXPECT_FALSE(manager.AddOrUpdateCookie(nullptr));
  EXPECT_FALSE(manager.DeleteCookie(nullptr));
  EXPECT_FALSE(manager.DeleteCookies(u"n", u"http://example.com/"));
  EXPECT_FALSE(manager.DeleteCookiesWithDomainAndPath(u"n", u"example.com", u"/"));
  EXPECT_FALSE(manager.DeleteAllCookies());
}

}  // namespace
}  // namespace velmoran::test
