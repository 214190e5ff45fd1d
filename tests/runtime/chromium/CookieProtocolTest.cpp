// Cookies in Chromium's protocol: what is sent for each kind of cookie, and
// what is read back from a getCookies answer, field by field.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/Json.h"
#include "runtime/chromium/CookieProtocol.h"

namespace velmoran::runtime::chromium {
namespace {

struct SetCase {
  const char* name;
  CookieFields cookie;
  const char* params;  // none when nothing may be sent
};

TEST(CookieProtocolTest, SetCookieParamsKeepHostOnlyDomainsSessionsAndSameSite) {
  CookieFields session{u"id", u"a b", u"localhost", u"/www",
                       -1,    false,  false,        COREWEBVIEW2_COOKIE_SAME_SITE_KIND_LAX};
  CookieFields wide{
      u"w", u"1", u".example.com", u"/", 1800000000.5, true, true, COREWEBVIEW2_COOKIE_SAME_SITE_KIND_NONE};
  CookieFields strict{u"s", u"",   u"example.com", u"",
                      -1,   false, true,           COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT};
  CookieFields nameless{u"", u"v",  u"example.com", u"/",
                        -1,  false, false,          COREWEBVIEW2_COOKIE_SAME_SITE_KIND_LAX};
  CookieFields nowhere{u"n", u"v", u"", u"/", -1, false, false, COREWEBVIEW2_COOKIE_SAME_SITE_KIND_LAX};
  const std::vector<SetCase> cases = {
      {"host-only session", session,
       R"({"name":"id","value":"a b","url":"http://localhost/www","path":"/www","secure":false,"httpOnly":false,)"
       R"("sameSite":"Lax"})"},
      {"domain cookie with expiry", wide,
       R"({"name":"w","value":"1","domain":".example.com","path":"/","secure":true,"httpOnly":true,)"
       R"("sameSite":"None","expires":1800000000.5})"},
      {"secure host-only, no path", strict,
       R"({"name":"s","value":"","url":"https://example.com","path":"/","secure":true,"httpOnly":false,)"
       R"("sameSite":"Strict"})"},
      {"no name", nameless, nullptr},
      {"no domain", nowhere, nullptr},
  };
  for (const SetCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<std::string> params = SetCookieParams(c.cookie);
    if (c.params == nullptr) {
      EXPECT_FALSE(params);
    } else {
      EXPECT_EQ(params.value_or(""), c.params);
    }
  }
}

TEST(CookieProtocolTest, TheOtherCommandsNameTheirCookiesAsAsked) {
  EXPECT_EQ(GetCookiesParams(u"http://localhost/www/"), R"({"urls":["http://localhost/www/"]})");
  EXPECT_EQ(DeleteCookiesForUriParams(u"id", u"http://localhost/"),
            R"({"name":"id","url":"http://localhost/"})");
  EXPECT_EQ(DeleteCookiesOnDomainParams(u"id", u"localhost", u"/www"),
            R"({"name":"id","domain":"localhost","path":"/www"})");
  EXPECT_EQ(DeleteCookiesOnDomainParams(u"id", u".example.com", u""),
            R"({"name":"id","domain":".example.com"})");
}

TEST(CookieProtocolTest, CookiesFromAnswerReadEveryField) {
  const std::optional<codec::JsonValue> answer = codec::ParseJson(
      uR"({"cookies":[)"
      uR"({"name":"id","value":"v1","domain":"localhost","path":"/www","expires":-1,"size":4,"httpOnly":false,)"
      uR"("secure":false,"session":true,"sameSite":"Strict","priority":"Medium"},)"
      uR"({"name":"w","value":"","domain":".example.com","path":"/","expires":1800000000.25,"httpOnly":true,)"
      uR"("secure":true,"session":false,"sameSite":"None"},)"
      uR"({"name":"plain","value":"x","domain":"h","path":"/","expires":1700000000,"session":false},)"
      uR"(17,{"value":"no name"}]})");
  ASSERT_TRUE(answer);
  const std::vector<CookieFields> cookies = CookiesFromAnswer(*answer);
  ASSERT_EQ(cookies.size(), 3u);
  EXPECT_EQ(cookies[0].name, u"id");
  EXPECT_EQ(cookies[0].value, u"v1");
  EXPECT_EQ(cookies[0].domain, u"localhost");
  EXPECT_EQ(cookies[0].path, u"/www");
  EXPECT_EQ(cookies[0].expires, -1);
  EXPECT_FALSE(cookies[0].httpOnly);
  EXPECT_FALSE(cookies[0].secure);
  EXPECT_EQ(cookies[0].sameSite, COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT);
  EXPECT_EQ(cookies[1].expires, 1800000000.25);
  EXPECT_TRUE(cookies[1].httpOnly);
  EXPECT_TRUE(cookies[1].secure);
  EXPECT_EQ(cookies[1].sameSite, COREWEBVIEW2_COOKIE_SAME_SITE_KIND_NONE);
  EXPECT_EQ(cookies[2].expires, 1700000000);
  EXPECT_EQ(cookies[2].sameSite, COREWEBVIEW2_COOKIE_SAME_SITE_KIND_LAX) << "none reported reads Lax";
  EXPECT_TRUE(CookiesFromAnswer(codec::JsonValue()).empty());
}

}  // namespace
}  // namespace velmoran::runtime::chromium
