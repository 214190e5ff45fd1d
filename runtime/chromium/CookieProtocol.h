#pragma once

// Cookies between the runtime's interfaces and Chromium's DevTools protocol.
// A cookie's domain keeps the runtime's meaning: one starting with '.'
// covers the subdomains too (the protocol's "domain"), any other names the
// one host (set through a URL on that host, so Chromium makes it host-only).
// Expiry is seconds since 1970-01-01 UTC on both sides; a session cookie is
// -1 here and has no "expires" in what is sent. SameSite travels as
// "None", "Lax" or "Strict"; a cookie Chromium reports without one is Lax,
// the treatment Chromium gives it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/Json.h"
#include "runtime/common/CookieFields.h"

namespace velmoran::runtime::chromium {

// Network.setCookie's parameters; none for a cookie without name or domain.
std::optional<std::string> SetCookieParams(const CookieFields& cookie);
// Network.getCookies's parameters for the cookies `uri` would carry.
std::string GetCookiesParams(std::u16string_view uri);
// Network.deleteCookies's parameters: the cookies named `name` that `uri` would carry.
std::string DeleteCookiesForUriParams(std::u16string_view name, std::u16string_view uri);
// Network.deleteCookies's parameters: named `name` on exactly `domain`, and
// on `path` unless it is empty.
std::string DeleteCookiesOnDomainParams(std::u16string_view name, std::u16string_view domain,
                                        std::u16string_view path);
// The cookies of a getCookies answer (its "cookies" array), in its order;
// entries that are not cookie objects are skipped.
std::vector<CookieFields> CookiesFromAnswer(const codec::JsonValue& result);

}  // namespace velmoran::runtime::chromium
