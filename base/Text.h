#pragma once

// Small text helpers shared by every layer. Text lives in memory as UTF-16,
// as Win32 and the browser runtime use it; these convert only at the edges.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmoran {

// UTF-8 to UTF-16. Invalid UTF-8 sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
void AppendUtf8AsUtf16(std::string_view text, std::u16string& out);
// Appends the one character whose UTF-8 form starts at text[at], as
// Utf8ToUtf16 converts it there; the index after it. For decoders that take
// UTF-8 apart themselves and must read it exactly as Utf8ToUtf16 does.
std::size_t AppendUtf8Character(std::string_view text, std::size_t at, std::u16string& out);
// Appends sixteen bytes known to be ASCII as sixteen UTF-16 code units.
void AppendAscii16(const char* sixteen, std::u16string& out);

// The length of a zero-terminated UTF-16 text, in code units: a text the
// browser runtime hands over (a page message of megabytes) is measured eight
// units a step.
std::size_t Utf16Length(const char16_t* text);

// One code point as UTF-8; a surrogate (below 0x10000) takes the three-byte
// form like any other, which generalized UTF-8 relies on.
void AppendCodePointUtf8(char32_t cp, std::string& out);

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD (EF BF BD).
std::string Utf16ToUtf8(std::u16string_view text);
void AppendUtf16AsUtf8(std::u16string_view text, std::string& out);

// Widens 7-bit ASCII text (literals, numbers) to UTF-16.
std::u16string AsciiToUtf16(std::string_view ascii);

// Signed decimal, minus sign included ("-2147024891").
std::u16string DecimalText(std::int64_t value);

// Eight upper-case hexadecimal digits of the 32-bit pattern ("80004004").
std::u16string Hex8(std::uint32_t value);

inline bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
// Either separator a Windows path accepts.
inline bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

char16_t ToLowerAscii(char16_t c);
std::u16string ToLowerAscii(std::u16string_view text);
// Compares ignoring case for the letters A to Z only; every other character must match.
bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

// `text` without the blanks and control characters (U+0000 to U+0020) at
// either end, or at its end only: what the system's messages and the user's
// settings carry around their content.
std::u16string_view TrimSpacesAndControls(std::u16string_view text);
std::u16string_view TrimTrailingSpacesAndControls(std::u16string_view text);

}  // namespace velmoran
