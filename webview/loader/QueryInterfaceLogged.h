#pragma once

// QueryInterface whose refusal is written to the shared loader's error log,
// so that a runtime offering fewer interface versions than the program knows
// leaves one line naming the version it refused. Used by the environment
// object and by the browser control's wrappers.

#include "webview/abi/ComPtr.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::webview {

// Asks `object` for `iid` into `result` (a counted reference on success, null
// otherwise). On a refusal appends "The QueryInterface call for {IID} failed.
// Error code : 0x..." to the error log of SharedWebViewLoader, when there is
// one. A null object is refused without a call and without a line.
bool QueryInterfaceLogged(IUnknown* object, REFIID iid, void** result);

template <typename From, typename To>
bool QueryInterfaceLogged(const ComPtr<From>& object, REFIID iid, ComPtr<To>& result) {
  result.Reset();
  return QueryInterfaceLogged(object.Get(), iid, result.PutVoid());
}

}  // namespace velmoran::webview
