#pragma once

// Bulk scanning of JSON string content. A capture message is one string of
// about two million code units, almost all of them plain base64 letters, so
// the decoder looks for the few characters that end a run of plain content
// several code units at a time instead of one by one. UTF-16 texts are
// scanned by the functions on char16_t, UTF-8 ones by those on bytes
// (unsigned char, so that bytes from 0x80 up never pass for controls).
//
// With SSE2 (every x86-64 build, and the 32-bit Windows build, which asks
// for it) sixteen code units are tested per step. Builds without it get the
// portable versions, which test four code units held in one 64-bit word;
// they are compiled everywhere so that their tests run on every build.

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velmoran::codec::json_scan {

namespace detail {

inline constexpr std::uint64_t kLaneOnes = 0x0001000100010001ull;
inline constexpr std::uint64_t kLaneHighBits = 0x8000800080008000ull;

// Each lane's high bit is set where that 16-bit lane is below `limit`
// (limit at most 0x8000). Borrows between lanes can add false marks above a
// true one but never make a word without a true hit look marked, so a marked
// word only tells that a hit lies somewhere in it.
inline std::uint64_t LanesBelow(std::uint64_t word, std::uint16_t limit) {
  return (word - kLaneOnes * limit) & ~word & kLaneHighBits;
}

inline std::uint64_t LanesEqual(std::uint64_t word, char16_t c) {
  return LanesBelow(word ^ (kLaneOnes * c), 1);
}

inline std::uint64_t LoadFourUnits(const char16_t* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

}  // namespace detail

// Whether `c` ends a run of plain string content.
inline bool EndsRun(char16_t c) { return c == u'"' || c == u'\\' || c < 0x20; }

// Four code units per step in a 64-bit word; what builds without SSE2 use.
inline const char16_t* FindStringSpecialPortable(const char16_t* p, const char16_t* end) {
  while (end - p >= 4) {
    const std::uint64_t word = detail::LoadFourUnits(p);
    const std::uint64_t hits =
        detail::LanesBelow(word, 0x20) | detail::LanesEqual(word, u'"') | detail::LanesEqual(word, u'\\');
    if (hits != 0) break;  // the exact unit is found one by one below
    p += 4;
  }
  while (p != end && !EndsRun(*p)) ++p;
  return p;
}

inline const char16_t* FindQuotePortable(const char16_t* p, const char16_t* end) {
  while (end - p >= 4) {
    if (detail::LanesEqual(detail::LoadFourUnits(p), u'"') != 0) break;
    p += 4;
  }
  while (p != end && *p != u'"') ++p;
  return p;
}

// The first position in [p, end) that holds '"', '\' or a control character
// below U+0020, or `end` when there is none.
inline const char16_t* FindStringSpecial(const char16_t* p, const char16_t* end) {
#if defined(__SSE2__)
  // Sixteen units packed to bytes with signed saturation: ASCII stays
  // itself, units from 0x80 to 0x7FFF become 0x7F and those from 0x8000 up
  // become 0x80 to 0xFF, none of them a quote, a backslash or a byte below
  // 0x20. One bit per unit in the mask.
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i lastControl = _mm_set1_epi8(0x1F);
  auto marks = [&](const char16_t* at) {
    const __m128i v = _mm_packs_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)),
                                      _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 8)));
    // Unsigned "v <= 0x1F": the smaller of the two is v only there.
    const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(v, lastControl), v);
    return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash)), control);
  };
  while (end - p >= 32) {
    const __m128i a = marks(p);
    const __m128i b = marks(p + 16);
    if (_mm_movemask_epi8(_mm_or_si128(a, b)) != 0) break;
    p += 32;
  }
  while (end - p >= 16) {
    const int mask = _mm_movemask_epi8(marks(p));
    if (mask != 0) return p + std::countr_zero(static_cast<unsigned>(mask));
    p += 16;
  }
  while (p != end && !EndsRun(*p)) ++p;
  return p;
#else
  return FindStringSpecialPortable(p, end);
#endif
}

// The first '"' in [p, end), or `end`.
inline const char16_t* FindQuote(const char16_t* p, const char16_t* end) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi16(u'"');
  while (end - p >= 16) {
    const __m128i a = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), quote);
    const __m128i b = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8)), quote);
    const int mask = _mm_movemask_epi8(a) | (_mm_movemask_epi8(b) << 16);
    if (mask != 0) return p + std::countr_zero(static_cast<unsigned>(mask)) / 2;
    p += 16;
  }
  while (p != end && *p != u'"') ++p;
  return p;
#else
  return FindQuotePortable(p, end);
#endif
}

// The UTF-8 forms: the first byte in [p, end) that is '"', '\' or below
// 0x20, or `end`. The bytes of a multi-byte character are 0x80 and above, so
// they are never taken for one of these.
inline const unsigned char* FindStringSpecial(const unsigned char* p, const unsigned char* end) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i lastControl = _mm_set1_epi8(0x1F);
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(v, lastControl), v);
    const int mask = _mm_movemask_epi8(
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash)), control));
    if (mask != 0) return p + std::countr_zero(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  while (p != end && !EndsRun(*p)) ++p;
  return p;
}

inline const unsigned char* FindQuote(const unsigned char* p, const unsigned char* end) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  while (end - p >= 16) {
    const int mask =
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), quote));
    if (mask != 0) return p + std::countr_zero(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  while (p != end && *p != '"') ++p;
  return p;
}

}  // namespace velmoran::codec::json_scan
