#include "base/Text.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstdint>

// Clang tells of AddressSanitizer through __has_feature, GCC through __SANITIZE_ADDRESS__.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORAN_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef VELMORAN_ADDRESS_SANITIZER
#define VELMORAN_ADDRESS_SANITIZER 0
#endif

namespace velmoran {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePointUtf16(char32_t cp, std::u16string& out) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

}  // namespace

void AppendCodePointUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendAscii16(const char* sixteen, std::u16string& out) {
  char16_t wide[16];
#if defined(__SSE2__)
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sixteen));
  const __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i*>(wide), _mm_unpacklo_epi8(bytes, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(wide + 8), _mm_unpackhi_epi8(bytes, zero));
#else
  for (int k = 0; k < 16; ++k) wide[k] = static_cast<unsigned char>(sixteen[k]);
#endif
  out.append(wide, 16);
}

std::size_t Utf16Length(const char16_t* text) {
  const char16_t* p = text;
#if defined(__SSE2__) && !defined(__SANITIZE_ADDRESS__) && !VELMORAN_ADDRESS_SANITIZER
  // Aligned loads from the first sixteen-byte boundary on: such a load never
  // crosses a page, so reading past the terminator within it cannot fault.
  // (AddressSanitizer would still call that read an overflow: its builds
  // count one unit at a time.)
  while ((reinterpret_cast<std::uintptr_t>(p) & 15) != 0) {
    if (*p == 0) return static_cast<std::size_t>(p - text);
    ++p;
  }
  const __m128i zero = _mm_setzero_si128();
  for (;; p += 8) {
    const int mask =
        _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_load_si128(reinterpret_cast<const __m128i*>(p)), zero));
    if (mask != 0) {
      return static_cast<std::size_t>(p - text) +
             static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask))) / 2;
    }
  }
#else
  while (*p != 0) ++p;
  return static_cast<std::size_t>(p - text);
#endif
}

std::size_t AppendUtf8Character(std::string_view text, std::size_t i, std::u16string& out) {
  const std::size_t n = text.size();
  const auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) {
    out.push_back(b0);
    return i + 1;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
    min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
    min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
    min = 0x10000;
  } else {
    out.push_back(static_cast<char16_t>(kReplacement));
    return i + 1;
  }
  std::size_t j = i + 1;
  bool ok = true;
  for (int k = 0; k < extra; ++k, ++j) {
    if (j >= n || (static_cast<unsigned char>(text[j]) & 0xC0) != 0x80) {
      ok = false;
      break;
    }
    cp = (cp << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
  }
  if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    out.push_back(static_cast<char16_t>(kReplacement));
    return ok ? j : std::max(j, i + 1);
  }
  AppendCodePointUtf16(cp, out);
  return j;
}

void AppendUtf8AsUtf16(std::string_view text, std::u16string& out) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
#if defined(__SSE2__)
    // Runs of ASCII, most of any protocol message or page text, sixteen bytes
    // a step: a message of megabytes otherwise takes milliseconds here.
    if (n - i >= 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
      if (_mm_movemask_epi8(bytes) == 0) {
        AppendAscii16(text.data() + i, out);
        i += 16;
        continue;
      }
    }
#endif
    i = AppendUtf8Character(text, i, out);
  }
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  AppendUtf8AsUtf16(text, out);
  return out;
}

void AppendUtf16AsUtf8(std::u16string_view text, std::string& out) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    // ASCII runs dominate (base64, JSON): copy them without the general path.
    while (i < n && text[i] < 0x80) out.push_back(static_cast<char>(text[i++]));
    if (i >= n) break;
    char32_t c = text[i++];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i < n && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
      } else {
        c = kReplacement;
      }
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendCodePointUtf8(c, out);
  }
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendUtf16AsUtf8(text, out);
  return out;
}

std::u16string AsciiToUtf16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string DecimalText(std::int64_t value) { return AsciiToUtf16(std::to_string(value)); }

std::u16string Hex8(std::uint32_t value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string out(8, u'0');
  for (int i = 7; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    value >>= 4;
  }
  return out;
}

char16_t ToLowerAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

std::u16string ToLowerAscii(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) c = ToLowerAscii(c);
  return out;
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return false;
  }
  return true;
}

namespace {
bool IsSpaceOrControl(char16_t c) { return c <= u' '; }
}  // namespace

std::u16string_view TrimSpacesAndControls(std::u16string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsSpaceOrControl(text[begin])) ++begin;
  return TrimTrailingSpacesAndControls(text.substr(begin));
}

std::u16string_view TrimTrailingSpacesAndControls(std::u16string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsSpaceOrControl(text[end - 1])) --end;
  return text.substr(0, end);
}

}  // namespace velmoran
