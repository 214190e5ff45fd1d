// The browser control's host objects: what a page may call on the host by name.

#include "webview/browser/TCoreWebView2.h"
#include "webview/browser/TWVBrowserBase.h"

namespace velmoran::webview {

bool TWVBrowserBase::AddHostObjectToScript(std::u16string_view aName, VARIANT* aObject) {
  return Initialized() && FCoreWebView2->AddHostObjectToScript(std::u16string(aName), aObject);
}

bool TWVBrowserBase::AddHostObjectToScript(std::u16string_view aName, IDispatch* aObject) {
  // The VARIANT only lends the object for the call: the runtime takes its own reference, so this one
  // is neither added nor released here.
  VARIANT object;
  VariantInit(&object);
  object.vt = VT_DISPATCH;
  object.pdispVal = aObject;
  return AddHostObjectToScript(aName, &object);
}

}  // namespace velmoran::webview
