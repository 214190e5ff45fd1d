#include "webview/abi/HostObjectRegistry.h"

#include "webview/abi/ComResults.h"
#include "webview/abi/WideText.h"

namespace velmoran::webview {

HRESULT HostObjectRegistry::Add(LPCWSTR name, VARIANT* object) {
  if (name == nullptr || *name == 0 || object == nullptr) return E_INVALIDARG;
  ComPtr<IDispatch> dispatch;
  if (object->vt == VT_DISPATCH && object->pdispVal != nullptr) {
    dispatch = ComPtr<IDispatch>(object->pdispVal);
  } else if (object->vt == VT_UNKNOWN && object->punkVal != nullptr) {
    void* found = nullptr;
    if (FAILED(object->punkVal->QueryInterface(IID_IDispatch, &found)) || found == nullptr)
      return E_INVALIDARG;
    dispatch.Attach(static_cast<IDispatch*>(found));
  } else {
    return E_INVALIDARG;
  }
  objects_.insert_or_assign(std::u16string(FromWideText(name)), std::move(dispatch));
  return S_OK;
}

HRESULT HostObjectRegistry::Remove(LPCWSTR name) {
  if (name == nullptr) return E_INVALIDARG;
  const auto found = objects_.find(FromWideText(name));
  if (found == objects_.end()) return E_INVALIDARG;
  objects_.erase(found);
  return S_OK;
}

DispatchCallResult HostObjectRegistry::Call(std::u16string_view name, std::u16string_view method,
                                            const std::vector<AutomationValue>& arguments) const {
  const auto found = objects_.find(name);
  if (found == objects_.end()) {
    DispatchCallResult missing;
    missing.code = DISP_E_UNKNOWNNAME;
    missing.message = u"No host object is named " + std::u16string(name) + u".";
    return missing;
  }
  // Held for the call: the method may remove its own object.
  const ComPtr<IDispatch> object = found->second;
  return CallDispatchMethod(object.Get(), method, arguments);
}

std::vector<std::u16string> HostObjectRegistry::Names() const {
  std::vector<std::u16string> names;
  for (const auto& [name, object] : objects_) names.push_back(name);
  return names;
}

}  // namespace velmoran::webview
