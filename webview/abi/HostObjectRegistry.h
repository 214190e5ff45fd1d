#pragma once

// The host objects a runtime's webview holds for its page, by name: each an
// IDispatch the page calls by method name. Both runtimes keep theirs here and
// call them on their user-interface thread.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "webview/abi/Automation.h"
#include "webview/abi/AutomationValue.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::webview {

class HostObjectRegistry {
 public:
  // An object the page can call: an IDispatch, or an IUnknown that answers for one. A name given again
  // takes the new object in place of the old.
  HRESULT Add(LPCWSTR name, VARIANT* object);
  // E_INVALIDARG for a name that holds no object.
  HRESULT Remove(LPCWSTR name);

  // The call of `method` on the object named `name`; DISP_E_UNKNOWNNAME when no object has that name.
  DispatchCallResult Call(std::u16string_view name, std::u16string_view method,
                          const std::vector<AutomationValue>& arguments) const;

  std::vector<std::u16string> Names() const;
  // Lets every object go, as a closed webview does.
  void Clear() { objects_.clear(); }

 private:
  std::map<std::u16string, ComPtr<IDispatch>, std::less<>> objects_;
};

}  // namespace velmoran::webview
