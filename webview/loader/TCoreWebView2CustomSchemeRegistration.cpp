#include "webview/loader/TCoreWebView2CustomSchemeRegistration.h"

#include <string_view>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/WideText.h"

namespace velmoran::webview {

namespace {

std::vector<std::u16string_view> AllowedOriginItems(std::u16string_view domains) {
  std::vector<std::u16string_view> items;
  std::size_t start = 0;
  while (start <= domains.size()) {
    std::size_t end = domains.find(u',', start);
    if (end == std::u16string_view::npos) end = domains.size();
    const std::u16string_view item = TrimSpacesAndControls(domains.substr(start, end - start));
    if (!item.empty()) items.push_back(item);
    start = end + 1;
  }
  return items;
}

}  // namespace

TCoreWebView2CustomSchemeRegistration::TCoreWebView2CustomSchemeRegistration(platform::Com& com,
                                                                             TWVCustomSchemeInfo info)
    : FCom(com), FInfo(std::move(info)) {}

HRESULT WV2_STDCALL TCoreWebView2CustomSchemeRegistration::get_SchemeName(LPWSTR* schemeName) {
  if (schemeName == nullptr) return E_POINTER;
  *schemeName = nullptr;
  if (FInfo.SchemeName.empty()) return S_OK;
  *schemeName = CoTaskMemDup(FCom, FInfo.SchemeName);
  return *schemeName == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2CustomSchemeRegistration::get_TreatAsSecure(BOOL* treatAsSecure) {
  if (treatAsSecure == nullptr) return E_POINTER;
  *treatAsSecure = FInfo.TreatAsSecure ? TRUE : FALSE;
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2CustomSchemeRegistration::put_TreatAsSecure(BOOL value) {
  FInfo.TreatAsSecure = value != FALSE;
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2CustomSchemeRegistration::GetAllowedOrigins(UINT32* allowedOriginsCount,
                                                                             LPWSTR** allowedOrigins) {
  if (allowedOriginsCount == nullptr || allowedOrigins == nullptr) return E_POINTER;
  *allowedOriginsCount = 0;
  *allowedOrigins = nullptr;
  const std::vector<std::u16string_view> items = AllowedOriginItems(FInfo.AllowedDomains);
  if (items.empty()) return S_OK;

  auto* array = static_cast<LPWSTR*>(FCom.CoTaskMemAlloc(items.size() * sizeof(LPWSTR)));
  if (array == nullptr) return E_OUTOFMEMORY;
  for (std::size_t i = 0; i < items.size(); ++i) {
    array[i] = CoTaskMemDup(FCom, items[i]);
    if (array[i] == nullptr) {
      // Half an answer would leave the caller unable to tell what to free.
      for (std::size_t j = 0; j < i; ++j) FCom.CoTaskMemFree(array[j]);
      FCom.CoTaskMemFree(array);
      return E_OUTOFMEMORY;
    }
  }
  *allowedOriginsCount = static_cast<UINT32>(items.size());
  *allowedOrigins = array;
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2CustomSchemeRegistration::SetAllowedOrigins(UINT32 allowedOriginsCount,
                                                                             LPCWSTR* allowedOrigins) {
  if (allowedOrigins == nullptr && allowedOriginsCount > 0) return E_INVALIDARG;
  std::u16string domains;
  for (UINT32 i = 0; i < allowedOriginsCount; ++i) {
    const std::u16string_view origin = FromWideText(allowedOrigins[i]);
    if (origin.empty()) continue;
    if (!domains.empty()) domains += u',';
    domains += origin;
  }
  FInfo.AllowedDomains = std::move(domains);
  return S_OK;
}

HRESULT WV2_STDCALL
TCoreWebView2CustomSchemeRegistration::get_HasAuthorityComponent(BOOL* hasAuthorityComponent) {
  if (hasAuthorityComponent == nullptr) return E_POINTER;
  *hasAuthorityComponent = FInfo.HasAuthorityComponent ? TRUE : FALSE;
  return S_OK;
}

HRESULT WV2_STDCALL
TCoreWebView2CustomSchemeRegistration::put_HasAuthorityComponent(BOOL hasAuthorityComponent) {
  FInfo.HasAuthorityComponent = hasAuthorityComponent != FALSE;
  return S_OK;
}

}  // namespace velmoran::webview
