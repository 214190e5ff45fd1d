#pragma once

// The arguments of a simulated WebMessageReceived: the page's address and the
// message in its JSON form. A message the page posted as a string also
// answers TryGetWebMessageAsString; one posted as JSON does not. A message
// without a JSON form cannot be read at all (E_FAIL). A message whose text
// points nowhere answers both getters with success and an address that
// Windows never maps (within its first 64 KiB): a host that reads the text
// crashes, as it would with a runtime that hands over a broken pointer.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimWebMessageReceivedEventArgs final
    : public webview::ComObject<ICoreWebView2WebMessageReceivedEventArgs>,
      private SimCountedObject {
 public:
  SimWebMessageReceivedEventArgs(std::shared_ptr<SimRuntimeContext> context, std::u16string source,
                                 std::optional<std::u16string> messageAsJson,
                                 std::optional<std::u16string> messageAsString,
                                 bool textPointsNowhere = false)
      : SimCountedObject(std::move(context)),
        source_(std::move(source)),
        messageAsJson_(std::move(messageAsJson)),
        messageAsString_(std::move(messageAsString)),
        textPointsNowhere_(textPointsNowhere) {}

  HRESULT WV2_STDCALL get_Source(LPWSTR* value) override { return Text("get_Source", source_, value); }
  HRESULT WV2_STDCALL get_WebMessageAsJson(LPWSTR* value) override {
    if (textPointsNowhere_) return Nowhere(value);
    if (!messageAsJson_) return Unreadable(value);
    return Text("get_WebMessageAsJson", *messageAsJson_, value);
  }
  HRESULT WV2_STDCALL TryGetWebMessageAsString(LPWSTR* value) override {
    if (textPointsNowhere_) return Nowhere(value);
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (!messageAsString_) return E_INVALIDARG;
    return Text("TryGetWebMessageAsString", *messageAsString_, value);
  }

 private:
  static HRESULT Nowhere(LPWSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(0x0000FFF0));
    return S_OK;
  }

  static HRESULT Unreadable(LPWSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    return E_FAIL;
  }

  HRESULT Text(const char* method, const std::u16string& text, LPWSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (const HRESULT scripted = Context().CallResult(method); FAILED(scripted)) return scripted;
    *value = webview::CoTaskMemDup(Context().Com(), text);
    return *value == nullptr ? E_OUTOFMEMORY : S_OK;
  }

  std::u16string source_;
  std::optional<std::u16string> messageAsJson_;
  std::optional<std::u16string> messageAsString_;
  bool textPointsNowhere_ = false;
};

}  // namespace velmoran::runtime::sim
