#include "bridge/Base64.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace velmoran::bridge {
namespace {

constexpr std::uint8_t kNotAlphabet = 0xFF;
constexpr std::u16string_view kPngPrefix = u"data:image/png;base64,";

constexpr std::array<std::uint8_t, 256> MakeValueTable() {
  std::array<std::uint8_t, 256> table{};
  for (auto& entry : table) entry = kNotAlphabet;
  constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < alphabet.size(); ++i)
    table[static_cast<unsigned char>(alphabet[i])] = static_cast<std::uint8_t>(i);
  return table;
}

constexpr std::array<std::uint8_t, 256> kValue = MakeValueTable();

// Four tables, one per position in a group of four characters, that place
// each character's six bits straight where they land in the three output
// bytes (byte 0 in bits 0-7, byte 1 in bits 8-15, byte 2 in bits 16-23).
// Characters outside the alphabet carry kBadGroup, so one OR of the four
// entries both decodes a group and tells whether it was clean.
constexpr std::uint32_t kBadGroup = 0x01000000;

constexpr std::array<std::uint32_t, 256> MakeGroupTable(int position) {
  std::array<std::uint32_t, 256> table{};
  for (std::size_t c = 0; c < 256; ++c) {
    const std::uint32_t v = kValue[c];
    if (v == kNotAlphabet) {
      table[c] = kBadGroup;
    } else if (position == 0) {
      table[c] = v << 2;
    } else if (position == 1) {
      table[c] = (v >> 4) | ((v & 0x0F) << 12);
    } else if (position == 2) {
      table[c] = ((v >> 2) << 8) | ((v & 0x03) << 22);
    } else {
      table[c] = v << 16;
    }
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kGroup0 = MakeGroupTable(0);
constexpr std::array<std::uint32_t, 256> kGroup1 = MakeGroupTable(1);
constexpr std::array<std::uint32_t, 256> kGroup2 = MakeGroupTable(2);
constexpr std::array<std::uint32_t, 256> kGroup3 = MakeGroupTable(3);

// The three bytes of the four characters at `p`, or a value with kBadGroup
// set when any of them lies outside the alphabet (non-ASCII ones included:
// their low byte alone could look like a letter).
inline std::uint32_t DecodeGroup(const char16_t* p) {
  std::uint64_t units;
  std::memcpy(&units, p, sizeof units);
  if ((units & 0xFF00FF00FF00FF00ull) != 0) return kBadGroup;
  return kGroup0[p[0] & 0xFF] | kGroup1[p[1] & 0xFF] | kGroup2[p[2] & 0xFF] | kGroup3[p[3] & 0xFF];
}

// Writes the group's three bytes; on little-endian machines as one 4-byte
// store, whose fourth byte the next group overwrites (the output keeps
// room for it).
inline void StoreGroup(std::uint32_t bytes, char* out) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &bytes, sizeof bytes);
  } else {
    out[0] = static_cast<char>(bytes & 0xFF);
    out[1] = static_cast<char>((bytes >> 8) & 0xFF);
    out[2] = static_cast<char>((bytes >> 16) & 0xFF);
  }
}

char16_t LowerAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

bool PngPrefixAt(const char16_t* p, const char16_t* end) {
  if (static_cast<std::size_t>(end - p) < kPngPrefix.size()) return false;
  for (const char16_t expected : kPngPrefix) {
    if (LowerAscii(*p++) != expected) return false;
  }
  return true;
}

template <bool kRemovePngPrefix>
std::string Decode(std::u16string_view text) {
  // Room for every whole group, the one or two bytes of a last partial
  // group, and the spare byte of StoreGroup's last 4-byte store.
  std::string out(text.size() / 4 * 3 + 3, '\0');
  char* written = out.data();
  const char16_t* p = text.data();
  const char16_t* const end = p + text.size();
  std::uint32_t pending = 0;  // bits of the characters of an unfinished group
  int pendingCount = 0;

  while (p != end) {
    if (pendingCount == 0) {
      // Runs of clean groups. A prefix has its ':' four characters after its
      // start, so when the group after the current one is clean, no prefix
      // can start inside the current one and it may be decoded unseen.
      if constexpr (kRemovePngPrefix) {
        if (end - p >= 8) {
          std::uint32_t group = DecodeGroup(p);
          if ((group & kBadGroup) == 0) {
            while (end - p >= 8) {
              const std::uint32_t next = DecodeGroup(p + 4);
              if ((next & kBadGroup) != 0) break;
              StoreGroup(group, written);
              written += 3;
              p += 4;
              group = next;
            }
          }
        }
      } else {
        while (end - p >= 4) {
          const std::uint32_t group = DecodeGroup(p);
          if ((group & kBadGroup) != 0) break;
          StoreGroup(group, written);
          written += 3;
          p += 4;
        }
        if (p == end) break;
      }
    }

    // One character at a time: near skipped characters, at the end, and
    // wherever a prefix may start.
    const char16_t c = *p;
    if constexpr (kRemovePngPrefix) {
      if ((c == u'd' || c == u'D') && PngPrefixAt(p, end)) {
        p += kPngPrefix.size();
        continue;
      }
    }
    ++p;
    const std::uint8_t value = c < 256 ? kValue[c] : kNotAlphabet;
    if (value == kNotAlphabet) continue;
    pending = (pending << 6) | value;
    if (++pendingCount == 4) {
      written[0] = static_cast<char>((pending >> 16) & 0xFF);
      written[1] = static_cast<char>((pending >> 8) & 0xFF);
      written[2] = static_cast<char>(pending & 0xFF);
      written += 3;
      pending = 0;
      pendingCount = 0;
    }
  }

  if (pendingCount == 2) {
    *written++ = static_cast<char>((pending >> 4) & 0xFF);
  } else if (pendingCount == 3) {
    *written++ = static_cast<char>((pending >> 10) & 0xFF);
    *written++ = static_cast<char>((pending >> 2) & 0xFF);
  }
  out.resize(static_cast<std::size_t>(written - out.data()));
  return out;
}

}  // namespace

std::string DecodePngBase64(std::u16string_view text) { return Decode<true>(text); }

std::string DecodeBase64Lenient(std::u16string_view text) { return Decode<false>(text); }

}  // namespace velmoran::bridge
