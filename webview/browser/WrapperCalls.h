#pragma once

// The one rule every wrapper member follows, written once: when the interface
// version that carries the call is not held (null here), the runtime is not
// called and the answer is False, 0, an empty text or none; otherwise the call
// is made and its success, or its converted result, is the answer. Texts the
// runtime returns are copied and their buffers freed through CoTaskMemText;
// a runtime BOOL becomes a bool.

#include <string>
#include <utility>

#include "platform/Com.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::webview {

inline BOOL ToBOOL(bool value) { return value ? TRUE : FALSE; }

// Whether `method` could be called on `intf` and succeeded.
template <typename Interface, typename Method, typename... Arguments>
bool CallSucceeded(Interface* intf, Method method, Arguments&&... arguments) {
  return intf != nullptr && SUCCEEDED((intf->*method)(std::forward<Arguments>(arguments)...));
}

// A getter's value; `fallback` when the getter cannot be called or fails.
template <typename Value, typename Interface, typename Getter>
Value ReadValue(Interface* intf, Getter getter, Value fallback = Value{}) {
  Value value = fallback;
  if (intf == nullptr || FAILED((intf->*getter)(&value))) return fallback;
  return value;
}

template <typename Interface, typename Getter>
bool ReadBool(Interface* intf, Getter getter) {
  return ReadValue<BOOL>(intf, getter, FALSE) != FALSE;
}

template <typename Interface, typename Getter>
std::u16string ReadText(platform::Com& com, Interface* intf, Getter getter) {
  if (intf == nullptr) return {};
  CoTaskMemText text(com);
  // The buffer is freed even when the runtime handed one over with a failure.
  if (FAILED((intf->*getter)(text.Put()))) return {};
  return text.ToU16String();
}

// An interface the getter hands over (already counted); none on failure.
template <typename Result, typename Interface, typename Getter>
ComPtr<Result> ReadInterface(Interface* intf, Getter getter) {
  ComPtr<Result> result;
  if (intf == nullptr) return result;
  if (FAILED((intf->*getter)(result.Put()))) result.Reset();
  return result;
}

}  // namespace velmoran::webview
