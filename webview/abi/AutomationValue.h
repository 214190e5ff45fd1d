#pragma once

// The values a page and a host object hand each other (null, a Boolean, a
// number, a text) and the call of a host object's method by its name, as both
// runtimes make it: IDispatch::GetIDsOfNames, then Invoke as a method.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "webview/abi/Automation.h"

namespace velmoran::webview {

using AutomationValue = std::variant<std::nullptr_t, bool, std::int32_t, double, std::u16string>;

// A VARIANT that clears itself: texts freed, objects released.
class OwnedVariant {
 public:
  OwnedVariant() { VariantInit(&value_); }
  explicit OwnedVariant(const AutomationValue& value);
  ~OwnedVariant() { VariantClear(&value_); }
  OwnedVariant(const OwnedVariant& other);
  OwnedVariant& operator=(const OwnedVariant& other);

  VARIANT* Get() { return &value_; }
  const VARIANT& Value() const { return value_; }

 private:
  VARIANT value_;
};

// Writes `value` into `out`, which holds nothing that needs clearing. False when a text could not be
// allocated.
bool ToVariant(const AutomationValue& value, VARIANT* out);

// What `value` holds, as a page can take it; none for what has no such form
// (objects, references, errors). An empty VARIANT reads as null.
std::optional<AutomationValue> FromVariant(const VARIANT& value);

struct DispatchCallResult {
  HRESULT code = S_OK;
  AutomationValue value;
  // Why it failed, in words a page can show: the host object's own description when it gave one.
  std::u16string message;
};

// Calls method `name` of `object` with `arguments`, in their order.
DispatchCallResult CallDispatchMethod(IDispatch* object, std::u16string_view name,
                                      const std::vector<AutomationValue>& arguments);

}  // namespace velmoran::webview
