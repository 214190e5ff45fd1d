#include "webview/abi/Automation.h"

#if !defined(_WIN32)

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

// The byte count the system keeps in front of a BSTR's first unit.
constexpr std::size_t kLengthPrefix = sizeof(std::uint32_t);

std::size_t UnitsOf(const OLECHAR* text) {
  std::size_t units = 0;
  while (text[units] != 0) ++units;
  return units;
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  // The text after the prefix keeps the alignment of its units.
  void* block = std::malloc(kLengthPrefix + (static_cast<std::size_t>(length) + 1) * sizeof(OLECHAR));
  if (block == nullptr) return nullptr;
  const std::uint32_t bytes = length * static_cast<std::uint32_t>(sizeof(OLECHAR));
  std::memcpy(block, &bytes, sizeof bytes);
  auto* units = reinterpret_cast<OLECHAR*>(static_cast<unsigned char*>(block) + kLengthPrefix);
  if (text != nullptr) {
    std::memcpy(units, text, static_cast<std::size_t>(length) * sizeof(OLECHAR));
  } else {
    std::memset(units, 0, static_cast<std::size_t>(length) * sizeof(OLECHAR));
  }
  units[length] = 0;
  return units;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(UnitsOf(text)));
}

void SysFreeString(BSTR text) {
  if (text == nullptr) return;
  std::free(reinterpret_cast<unsigned char*>(text) - kLengthPrefix);
}

UINT SysStringLen(BSTR text) {
  if (text == nullptr) return 0;
  std::uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<unsigned char*>(text) - kLengthPrefix, sizeof bytes);
  return bytes / static_cast<UINT>(sizeof(OLECHAR));
}

void VariantInit(VARIANT* value) {
  if (value == nullptr) return;
  std::memset(value, 0, sizeof *value);
  value->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* value) {
  if (value == nullptr) return E_INVALIDARG;
  if ((value->vt & VT_BYREF) == 0) {
    switch (value->vt) {
      case VT_BSTR:
        SysFreeString(value->bstrVal);
        break;
      case VT_DISPATCH:
        if (value->pdispVal != nullptr) value->pdispVal->Release();
        break;
      case VT_UNKNOWN:
        if (value->punkVal != nullptr) value->punkVal->Release();
        break;
      default:
        break;
    }
  }
  VariantInit(value);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* destination, const VARIANT* source) {
  if (destination == nullptr || source == nullptr) return E_INVALIDARG;
  if (destination == source) return S_OK;
  VARIANT copy = *source;
  if ((source->vt & VT_BYREF) == 0) {
    switch (source->vt) {
      case VT_BSTR:
        if (source->bstrVal != nullptr) {
          copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
          if (copy.bstrVal == nullptr) return E_OUTOFMEMORY;
        }
        break;
      case VT_DISPATCH:
        if (copy.pdispVal != nullptr) copy.pdispVal->AddRef();
        break;
      case VT_UNKNOWN:
        if (copy.punkVal != nullptr) copy.punkVal->AddRef();
        break;
      default:
        break;
    }
  }
  VariantClear(destination);
  *destination = copy;
  return S_OK;
}

#endif  // !_WIN32
