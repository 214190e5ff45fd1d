#pragma once

#include "platform/Com.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"
#include "webview/loader/TWVCustomSchemeInfo.h"

namespace velmoran::webview {

// One custom scheme registration handed to the runtime with the environment
// options. Texts go out as task-memory copies the runtime frees.
class TCoreWebView2CustomSchemeRegistration final : public ComObject<ICoreWebView2CustomSchemeRegistration> {
 public:
  TCoreWebView2CustomSchemeRegistration(platform::Com& com, TWVCustomSchemeInfo info);

  HRESULT WV2_STDCALL get_SchemeName(LPWSTR* schemeName) override;
  HRESULT WV2_STDCALL get_TreatAsSecure(BOOL* treatAsSecure) override;
  HRESULT WV2_STDCALL put_TreatAsSecure(BOOL value) override;
  // AllowedDomains split at ",", each item trimmed, empty items left out.
  HRESULT WV2_STDCALL GetAllowedOrigins(UINT32* allowedOriginsCount, LPWSTR** allowedOrigins) override;
  // AllowedDomains becomes the given items joined by ","; null and empty items
  // are left out.
  HRESULT WV2_STDCALL SetAllowedOrigins(UINT32 allowedOriginsCount, LPCWSTR* allowedOrigins) override;
  HRESULT WV2_STDCALL get_HasAuthorityComponent(BOOL* hasAuthorityComponent) override;
  HRESULT WV2_STDCALL put_HasAuthorityComponent(BOOL hasAuthorityComponent) override;

  const TWVCustomSchemeInfo& Info() const { return FInfo; }

 private:
  platform::Com& FCom;
  TWVCustomSchemeInfo FInfo;
};

}  // namespace velmoran::webview
