#include "webview/loader/QueryInterfaceLogged.h"

#include "webview/abi/ComResults.h"
#include "webview/loader/LoaderErrorTexts.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::webview {

bool QueryInterfaceLogged(IUnknown* object, REFIID iid, void** result) {
  if (result == nullptr) return false;
  *result = nullptr;
  if (object == nullptr) return false;
  const HRESULT answer = object->QueryInterface(iid, result);
  if (SUCCEEDED(answer) && *result != nullptr) return true;
  if (*result != nullptr) {
    // A failure that still handed out a reference: give it back rather than leak it.
    static_cast<IUnknown*>(*result)->Release();
    *result = nullptr;
  }
  if (TWVLoader* loader = SharedWebViewLoader()) {
    loader->AppendErrorLog(u"The QueryInterface call for " + GuidToRegistryText(iid) + u" failed. " +
                           ErrorCodeText(answer));
  }
  return false;
}

}  // namespace velmoran::webview
