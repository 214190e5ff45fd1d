#include "codec/Base64.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmoran::codec {
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

#if defined(__SSE2__)
// Sixteen code units at a time. Packing them to bytes saturates every unit
// above 0xFF to 0xFF (and those from 0x8000 up to 0), neither of which is in
// the alphabet, so non-ASCII units are refused without a test of their own.
// Each range is tested with one add and one signed compare: the add moves
// the range's first character to -128, so the range is what lies below
// -128 + its width.
inline __m128i InRange(__m128i c, char first, char last) {
  const __m128i moved = _mm_add_epi8(c, _mm_set1_epi8(static_cast<char>(0x80 - first)));
  return _mm_cmplt_epi8(moved, _mm_set1_epi8(static_cast<char>(-128 + (last - first) + 1)));
}

// The six-bit values of the sixteen characters at `p` in `values`; gives a
// mask with one bit per character that is in the alphabet (0xFFFF: all are).
inline int ClassifyBlock(const char16_t* p, __m128i& values) {
  const __m128i c = _mm_packus_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                                     _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)));
  const __m128i upper = InRange(c, 'A', 'Z');
  const __m128i lower = InRange(c, 'a', 'z');
  const __m128i digit = InRange(c, '0', '9');
  const __m128i plus = _mm_cmpeq_epi8(c, _mm_set1_epi8('+'));
  const __m128i slash = _mm_cmpeq_epi8(c, _mm_set1_epi8('/'));
  // What each range adds to its characters to reach their values
  // ('A' -> 0, 'a' -> 26, '0' -> 52, '+' -> 62, '/' -> 63).
  const __m128i offset = _mm_or_si128(
      _mm_or_si128(_mm_and_si128(upper, _mm_set1_epi8(-65)), _mm_and_si128(lower, _mm_set1_epi8(-71))),
      _mm_or_si128(
          _mm_and_si128(digit, _mm_set1_epi8(4)),
          _mm_or_si128(_mm_and_si128(plus, _mm_set1_epi8(19)), _mm_and_si128(slash, _mm_set1_epi8(16)))));
  values = _mm_add_epi8(c, offset);
  // Every range adds something, so a character with no offset is in none.
  return _mm_movemask_epi8(_mm_cmpeq_epi8(offset, _mm_setzero_si128())) ^ 0xFFFF;
}

// The twelve bytes of sixteen six-bit values. Writes fourteen: the last two
// are overwritten by whatever follows (the output keeps room for them).
inline void StoreBlock(__m128i values, char* out) {
  // Two values per 16-bit lane, the first in the low byte: 12 bits each.
  const __m128i pairs = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(values, _mm_set1_epi16(0x00FF)), 6),
                                     _mm_srli_epi16(values, 8));
  // Two pairs per 32-bit lane: the group's 24 bits, its first byte highest.
  const __m128i groups = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
  // The three bytes in output order in each lane's low 24 bits.
  const __m128i ordered = _mm_or_si128(
      _mm_or_si128(_mm_srli_epi32(groups, 16), _mm_and_si128(groups, _mm_set1_epi32(0x0000FF00))),
      _mm_and_si128(_mm_slli_epi32(groups, 16), _mm_set1_epi32(0x00FF0000)));
  // Six bytes per 64-bit half: the upper lane's three moved down against the lower's.
  const __m128i lowLanes = _mm_set_epi32(0, -1, 0, -1);
  const __m128i packed =
      _mm_or_si128(_mm_and_si128(ordered, lowLanes), _mm_srli_epi64(_mm_andnot_si128(lowLanes, ordered), 8));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 6), _mm_unpackhi_epi64(packed, packed));
}
#endif

// Decodes `text` into `out` (Base64DecodeCapacity bytes); gives the count.
template <bool kRemovePngPrefix, bool kVector>
std::size_t DecodeInto(std::u16string_view text, char* const out) {
  char* written = out;
  const char16_t* p = text.data();
  const char16_t* const end = p + text.size();
  std::uint32_t pending = 0;  // bits of the characters of an unfinished group
  int pendingCount = 0;

  while (p != end) {
    if (pendingCount == 0) {
      // Runs of clean characters. A prefix has its ':' four characters after
      // its start, so when the four characters after a clean block are clean
      // too, no prefix can start inside the block and it may be decoded unseen.
#if defined(__SSE2__)
      if constexpr (kVector) {
        if (end - p >= 32) {
          __m128i values;
          int mask = ClassifyBlock(p, values);
          while (mask == 0xFFFF && end - p >= 32) {
            __m128i next;
            const int nextMask = ClassifyBlock(p + 16, next);
            if (kRemovePngPrefix && (nextMask & 0xF) != 0xF) break;
            StoreBlock(values, written);
            written += 12;
            p += 16;
            values = next;
            mask = nextMask;
          }
        }
      }
#endif
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
  return static_cast<std::size_t>(written - out);
}

template <bool kRemovePngPrefix, bool kVector>
std::string Decode(std::u16string_view text) {
  std::string out(Base64DecodeCapacity(text.size()), '\0');
  out.resize(DecodeInto<kRemovePngPrefix, kVector>(text, out.data()));
  return out;
}

}  // namespace

// Room for every whole group, the one or two bytes of a last partial group,
// and the spare bytes of the last wide store (StoreGroup writes one byte
// past its group, StoreBlock two).
std::size_t Base64DecodeCapacity(std::size_t textSize) { return textSize / 4 * 3 + 3; }

std::size_t DecodePngBase64Into(std::u16string_view text, char* out) {
  return DecodeInto<true, true>(text, out);
}

std::string DecodePngBase64(std::u16string_view text) { return Decode<true, true>(text); }

std::string DecodeBase64Lenient(std::u16string_view text) { return Decode<false, true>(text); }

namespace base64_detail {

std::string DecodePngBase64Portable(std::u16string_view text) { return Decode<true, false>(text); }

std::string DecodeBase64LenientPortable(std::u16string_view text) { return Decode<false, false>(text); }

}  // namespace base64_detail

std::string EncodeBase64(std::string_view bytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  const auto byte = [&](std::size_t i) -> std::uint32_t {
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
  };
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::uint32_t v = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
    out += kAlphabet[v >> 18 & 0x3F];
    out += kAlphabet[v >> 12 & 0x3F];
    out += i + 1 < bytes.size() ? kAlphabet[v >> 6 & 0x3F] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[v & 0x3F] : '=';
  }
  return out;
}

}  // namespace velmoran::codec
