#pragma once

// Texts handed out through an LPWSTR* belong to the caller, who frees them
// with CoTaskMemFree: copied into the COM task allocator here.

#include <windows.h>
#include <objbase.h>

#include <cstring>
#include <string_view>

#include "platform/win32/WideText.h"
#include "webview/abi/ComResults.h"

namespace velmoran::runtime::chromium {

inline HRESULT HandOutText(std::u16string_view text, LPWSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = static_cast<LPWSTR>(::CoTaskMemAlloc((text.size() + 1) * sizeof(WCHAR)));
  if (*out == nullptr) return E_OUTOFMEMORY;
  if (!text.empty()) std::memcpy(*out, text.data(), text.size() * sizeof(WCHAR));
  (*out)[text.size()] = 0;
  return S_OK;
}

inline std::u16string_view ReadText(LPCWSTR text) {
  return text == nullptr ? std::u16string_view() : std::u16string_view(platform::win32::AsUtf16(text));
}

}  // namespace velmoran::runtime::chromium
