#pragma once

// Texts across the runtime's interfaces are zero-terminated UTF-16. The core
// keeps them as char16_t; on Windows the interfaces spell them with wchar_t
// (16 bits there), elsewhere with char16_t. These two helpers are the only
// place that difference shows, so the core never needs an #ifdef for it.

#include <string>
#include <string_view>

#include "base/Text.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::webview {

// A text to hand to the runtime; valid as long as `text` is neither changed nor destroyed.
inline LPCWSTR AsWideText(const std::u16string& text) {
#if defined(_WIN32)
  return reinterpret_cast<LPCWSTR>(text.c_str());
#else
  return text.c_str();
#endif
}
inline LPCWSTR AsWideText(const char16_t* text) {
#if defined(_WIN32)
  return reinterpret_cast<LPCWSTR>(text);
#else
  return text;
#endif
}
// A temporary would be gone before the runtime reads the text.
LPCWSTR AsWideText(std::u16string&& text) = delete;

// A text the runtime handed over, read in place; a null pointer reads as empty.
inline std::u16string_view FromWideText(LPCWSTR text) {
  if (text == nullptr) return {};
#if defined(_WIN32)
  const auto* units = reinterpret_cast<const char16_t*>(text);
#else
  const char16_t* units = text;
#endif
  return std::u16string_view(units, Utf16Length(units));
}

}  // namespace velmoran::webview
