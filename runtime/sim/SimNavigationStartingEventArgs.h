#pragma once

// The arguments of a simulated NavigationStarting: the address, the
// navigation's id, and the Cancel flag the handler may set.

#include <memory>
#include <string>
#include <utility>

#include "runtime/common/AnswerValue.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimNavigationStartingEventArgs final
    : public webview::ComObject<ICoreWebView2NavigationStartingEventArgs>,
      private SimCountedObject {
 public:
  SimNavigationStartingEventArgs(std::shared_ptr<SimRuntimeContext> context, std::u16string uri,
                                 UINT64 navigationId)
      : SimCountedObject(std::move(context)), uri_(std::move(uri)), navigationId_(navigationId) {}

  bool Cancelled() const { return cancel_ != FALSE; }

  HRESULT WV2_STDCALL get_Uri(LPWSTR* uri) override {
    if (uri == nullptr) return E_POINTER;
    *uri = webview::CoTaskMemDup(Context().Com(), uri_);
    return *uri == nullptr ? E_OUTOFMEMORY : S_OK;
  }
  HRESULT WV2_STDCALL get_IsUserInitiated(BOOL* value) override { return AnswerValue(value, FALSE); }
  HRESULT WV2_STDCALL get_IsRedirected(BOOL* value) override { return AnswerValue(value, FALSE); }
  HRESULT WV2_STDCALL get_RequestHeaders(ICoreWebView2HttpRequestHeaders** value) override {
    if (value != nullptr) *value = nullptr;
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL get_Cancel(BOOL* value) override { return AnswerValue(value, cancel_); }
  HRESULT WV2_STDCALL put_Cancel(BOOL value) override {
    cancel_ = value;
    return S_OK;
  }
  HRESULT WV2_STDCALL get_NavigationId(UINT64* value) override { return AnswerValue(value, navigationId_); }

 private:
  std::u16string uri_;
  UINT64 navigationId_;
  BOOL cancel_ = FALSE;
};

}  // namespace velmoran::runtime::sim
