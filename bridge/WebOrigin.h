#pragma once

// The origin of a web address: the scheme, host and port that decide, for a
// browser, whether two documents belong to the same site. The page bridge
// takes messages only from the origin of the shell's start page.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmoran::bridge {

struct WebOrigin {
  std::u16string scheme;  // "http" or "https", lower case
  std::u16string host;    // ASCII letters in lower case, otherwise as written
  std::uint16_t port = 0;

  friend bool operator==(const WebOrigin&, const WebOrigin&) = default;
};

// The origin of an "http://" or "https://" address. Scheme and host are
// compared ignoring ASCII case; no port, or an empty one, is the scheme's own
// (80 or 443). The host ends at the first "/", "\", "?" or "#", as a
// browser reads these addresses. No origin (nullopt) for anything else: other
// schemes (about:, data:, file:, blob:), an address with user information
// ("http://localhost@evil/", "http://user@localhost/"), an empty host, a port
// that is not a decimal number up to 65535, and white space or control
// characters anywhere, which a browser would drop or refuse first.
std::optional<WebOrigin> OriginOf(std::u16string_view url);

}  // namespace velmoran::bridge
