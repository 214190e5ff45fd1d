#pragma once

// Windows reads and writes UTF-16 as wchar_t, which is 16 bits there; the
// project's texts are char16_t. These pass a text across that seam as it is,
// with no conversion: the one place the two character types meet.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmoran::platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 code units");

inline const wchar_t* AsWide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* AsWide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const wchar_t* AsWide(const std::u16string& text) { return AsWide(text.c_str()); }

inline const char16_t* AsUtf16(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

// A terminated copy of a view, for the calls that read up to a terminator.
inline std::wstring TerminatedWide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

// The text up to its terminator, or `length` units of it; empty for nullptr.
inline std::u16string Utf16Text(const wchar_t* terminated) {
  return terminated == nullptr ? std::u16string() : std::u16string(AsUtf16(terminated));
}
inline std::u16string Utf16Text(const wchar_t* text, std::size_t length) {
  return std::u16string(AsUtf16(text), length);
}

}  // namespace velmoran::platform::win32
