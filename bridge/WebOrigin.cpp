#include "bridge/WebOrigin.h"

#include "base/Text.h"

namespace velmoran::bridge {
namespace {

constexpr std::uint32_t kLargestPort = 65535;

// A port as the address writes it: decimal digits only, leading zeros
// allowed ("080" is 80), empty for the scheme's own.
std::optional<std::uint16_t> PortOf(std::u16string_view digits, std::uint16_t schemePort) {
  if (digits.empty()) return schemePort;
  std::uint32_t port = 0;
  for (const char16_t c : digits) {
    if (c < u'0' || c > u'9') return std::nullopt;
    port = port * 10 + static_cast<std::uint32_t>(c - u'0');
    if (port > kLargestPort) return std::nullopt;
  }
  return static_cast<std::uint16_t>(port);
}

}  // namespace

std::optional<WebOrigin> OriginOf(std::u16string_view url) {
  for (const char16_t c : url) {
    if (c <= u' ' || c == 0x7F) return std::nullopt;
  }
  const std::size_t colon = url.find(u':');
  if (colon == std::u16string_view::npos) return std::nullopt;
  WebOrigin origin;
  origin.scheme = ToLowerAscii(url.substr(0, colon));
  std::uint16_t schemePort = 0;
  if (origin.scheme == u"http") {
    schemePort = 80;
  } else if (origin.scheme == u"https") {
    schemePort = 443;
  } else {
    return std::nullopt;
  }
  const std::u16string_view rest = url.substr(colon + 1);
  if (!rest.starts_with(u"//")) return std::nullopt;
  std::u16string_view authority = rest.substr(2);
  authority = authority.substr(0, authority.find_first_of(u"/\\?#"));
  if (authority.find(u'@') != std::u16string_view::npos) return std::nullopt;

  // The port follows the last colon, unless that colon is inside an IPv6 literal's brackets.
  std::u16string_view host = authority;
  std::u16string_view port;
  const std::size_t portColon = authority.find_last_of(u':');
  const std::size_t bracket = authority.find_last_of(u']');
  if (portColon != std::u16string_view::npos &&
      (bracket == std::u16string_view::npos || portColon > bracket)) {
    host = authority.substr(0, portColon);
    port = authority.substr(portColon + 1);
  }
  if (host.empty()) return std::nullopt;
  const std::optional<std::uint16_t> portNumber = PortOf(port, schemePort);
  if (!portNumber) return std::nullopt;
  origin.host = ToLowerAscii(host);
  origin.port = *portNumber;
  return origin;
}

}  // namespace velmoran::bridge
