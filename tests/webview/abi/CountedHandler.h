#pragma once

// A small COM object for the tests of the COM helpers: it answers two
// unrelated interfaces and records its own destruction, so a test can tell
// a leaked or doubly released reference from a sound one.

#include "webview/abi/WebView2Abi.h"

namespace velmoran::test {
using webview::ComObject;

class CountedHandler final : public ComObject<ICoreWebView2ExecuteScriptCompletedHandler,
                                              ICoreWebView2WebMessageReceivedEventHandler> {
 public:
  explicit CountedHandler(int& destroyed) : destroyed_(destroyed) {}

  HRESULT WV2_STDCALL Invoke(HRESULT errorCode, LPCWSTR) override {
    lastScriptResult = errorCode;
    return S_OK;
  }
  HRESULT WV2_STDCALL Invoke(ICoreWebView2*, ICoreWebView2WebMessageReceivedEventArgs*) override {
    ++messagesReceived;
    return S_OK;
  }

  // The count as it stands, without changing it.
  ULONG References() {
    AddRef();
    return Release();
  }

  HRESULT lastScriptResult = S_FALSE;
  int messagesReceived = 0;

 private:
  ~CountedHandler() override { ++destroyed_; }

  int& destroyed_;
};

}  // namespace velmoran::test
