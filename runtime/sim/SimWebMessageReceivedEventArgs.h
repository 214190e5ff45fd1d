#pragma once

// The arguments of a simulated WebMessageReceived: the page's address and the
// message in its JSON form. A message the page posted as a string also
// answers TryGetWebMessageAsString; one posted as JSON does not. A message
// without a JSON form cannot be read at all (E_FAIL).

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
                                 std::optional<std::u16string> messageAsString)
      : SimCountedObject(std::move(context)),
        source_(std::move(source)),
        messageAsJson_(std::move(messageAsJson)),
        messageAsString_(std::move(messageAsString)) {}

  HRESULT WV2_STDCALL get_Source(LPWSTR* value) override { return Text("get_Source", source_, value); }
  HRESULT WV2_STDCALL get_WebMessageAsJson(LPWSTR* value) override {
    if (!messageAsJson_) return Unreadable(value);
    return Text("get_WebMessageAsJson", *messageAsJson_, value);
  }
  HRESULT WV2_STDCALL TryGetWebMessageAsString(LPWSTR* value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (!messageAsString_) return E_INVALIDARG;
    return Text("TryGetWebMessageAsString", *messageAsString_, value);
  }

 private:
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
};

}  // namespace velmoran::runtime::sim
