#pragma once

// Reaching an interface declared with an id of our own. The runtime hands such
// objects over typed as what they are (a frame, a download operation), but a
// runtime that only knows the published ids would not have that interface
// behind the pointer: calling a method through the type alone could land in a
// slot of something else. So the pointer is asked with QueryInterface first,
// and only the interface it answers is ever called; a refusal leaves one line
// in the loader's error log and the caller goes on with none.

#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Ids.h"
#include "webview/loader/QueryInterfaceLogged.h"

namespace velmoran::webview {

template <typename Interface>
ComPtr<Interface> QueryOwnInterface(IUnknown* aObject) {
  ComPtr<Interface> result;
  if (aObject == nullptr || !QueryInterfaceLogged(aObject, InterfaceTraits<Interface>::kId, result.PutVoid()))
    result.Reset();
  return result;
}

}  // namespace velmoran::webview
