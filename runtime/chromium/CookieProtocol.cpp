#include "runtime/chromium/CookieProtocol.h"

#include <charconv>
#include <cstdlib>

#include "base/Text.h"
#include "runtime/chromium/DevToolsMessage.h"
#include "runtime/chromium/JsonWriter.h"

namespace velmoran::runtime::chromium {
namespace {

std::u16string_view SameSiteName(COREWEBVIEW2_COOKIE_SAME_SITE_KIND kind) {
  switch (kind) {
    case COREWEBVIEW2_COOKIE_SAME_SITE_KIND_NONE:
      return u"None";
    case COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT:
      return u"Strict";
    case COREWEBVIEW2_COOKIE_SAME_SITE_KIND_LAX:
      break;
  }
  return u"Lax";
}

COREWEBVIEW2_COOKIE_SAME_SITE_KIND SameSiteKind(std::u16string_view name) {
  if (name == u"None") return COREWEBVIEW2_COOKIE_SAME_SITE_KIND_NONE;
  if (name == u"Strict") return COREWEBVIEW2_COOKIE_SAME_SITE_KIND_STRICT;
  return COREWEBVIEW2_COOKIE_SAME_SITE_KIND_LAX;
}

std::string NumberText(double value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof(text), value);
  return std::string(text, written.ptr);
}

double NumberMember(const codec::JsonValue& object, std::u16string_view key, double fallback) {
  const codec::JsonValue* member = object.Find(key);
  if (member == nullptr || !member->IsNumber()) return fallback;
  const std::string text = Utf16ToUtf8(member->view());
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return end != text.c_str() ? value : fallback;
}

}  // namespace

std::optional<std::string> SetCookieParams(const CookieFields& cookie) {
  if (cookie.name.empty() || cookie.domain.empty()) return std::nullopt;
  JsonWriter j;
  j.BeginObject().Key("name").String(cookie.name).Key("value").String(cookie.value);
  if (cookie.domain.front() == u'.') {
    j.Key("domain").String(cookie.domain);
  } else {
    // A URL on the host itself makes a host-only cookie, as a Set-Cookie without Domain does.
    j.Key("url").String((cookie.secure ? u"https://" : u"http://") + cookie.domain + cookie.path);
  }
  j.Key("path").String(cookie.path.empty() ? std::u16string_view(u"/") : std::u16string_view(cookie.path));
  j.Key("secure").Bool(cookie.secure).Key("httpOnly").Bool(cookie.httpOnly);
  j.Key("sameSite").String(SameSiteName(cookie.sameSite));
  if (cookie.expires >= 0) j.Key("expires").Raw(NumberText(cookie.expires));
  j.EndObject();
  return j.Text();
}

std::string GetCookiesParams(std::u16string_view uri) {
  JsonWriter j;
  j.BeginObject().Key("urls").BeginArray().String(uri).EndArray().EndObject();
  return j.Text();
}

std::string DeleteCookiesForUriParams(std::u16string_view name, std::u16string_view uri) {
  JsonWriter j;
  j.BeginObject().Key("name").String(name).Key("url").String(uri).EndObject();
  return j.Text();
}

std::string DeleteCookiesOnDomainParams(std::u16string_view name, std::u16string_view domain,
                                        std::u16string_view path) {
  JsonWriter j;
  j.BeginObject().Key("name").String(name).Key("domain").String(domain);
  if (!path.empty()) j.Key("path").String(path);
  j.EndObject();
  return j.Text();
}

std::vector<CookieFields> CookiesFromAnswer(const codec::JsonValue& result) {
  std::vector<CookieFields> cookies;
  const codec::JsonValue* list = result.Find(u"cookies");
  if (list == nullptr || !list->IsArray()) return cookies;
  for (const codec::JsonValue& entry : list->items()) {
    if (!entry.IsObject() || entry.Find(u"name") == nullptr) continue;
    CookieFields cookie;
    cookie.name = std::u16string(TextMember(entry, u"name"));
    cookie.value = std::u16string(TextMember(entry, u"value"));
    cookie.domain = std::u16string(TextMember(entry, u"domain"));
    cookie.path = std::u16string(TextMember(entry, u"path"));
    // Chromium reports a session cookie with "session": true and an expiry of -1.
    cookie.expires = BoolMember(entry, u"session") ? -1 : NumberMember(entry, u"expires", -1);
    if (cookie.expires < 0) cookie.expires = -1;
    cookie.httpOnly = BoolMember(entry, u"httpOnly");
    cookie.secure = BoolMember(entry, u"secure");
    cookie.sameSite = SameSiteKind(TextMember(entry, u"sameSite"));
    cookies.push_back(std::move(cookie));
  }
  return cookies;
}

}  // namespace velmoran::runtime::chromium
