#include "bench/engine/Base64Text.h"

#include <cstdint>

namespace velmoran::bench::engine {

std::string Base64Encode(std::string_view bytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  auto at = [&](std::size_t i) -> std::uint32_t {
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
  };
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::uint32_t v = at(i) << 16 | at(i + 1) << 8 | at(i + 2);
    out += kAlphabet[v >> 18 & 0x3F];
    out += kAlphabet[v >> 12 & 0x3F];
    out += i + 1 < bytes.size() ? kAlphabet[v >> 6 & 0x3F] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[v & 0x3F] : '=';
  }
  return out;
}

}  // namespace velmoran::bench::engine
