#pragma once

// The host object the host-object tests add as "calc": Add (a whole sum as a
// 32-bit integer, any other as a double), Greet (a text), Echo (its one
// argument back) and Fail (E_INVALIDARG with a message of its own).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "webview/abi/Automation.h"
#include "webview/abi/AutomationValue.h"
#include "webview/abi/ComPtr.h"
#include "webview/browser/TableHostObject.h"

namespace velmoran::test {

// The number an argument holds, or 0.
inline double NumberOf(const VARIANT& value) {
  const std::optional<webview::AutomationValue> read = webview::FromVariant(value);
  if (!read) return 0;
  if (const auto* whole = std::get_if<std::int32_t>(&*read)) return *whole;
  if (const auto* number = std::get_if<double>(&*read)) return *number;
  return 0;
}

inline webview::ComPtr<webview::TableHostObject> Calculator() {
  return webview::TableHostObject::Make({
      {u"Add",
       [](std::span<const VARIANT> args, VARIANT& result, std::u16string&) {
         if (args.size() != 2) return DISP_E_BADPARAMCOUNT;
         const double sum = NumberOf(args[0]) + NumberOf(args[1]);
         return webview::ToVariant(sum == static_cast<std::int32_t>(sum)
                                       ? webview::AutomationValue(static_cast<std::int32_t>(sum))
                                       : webview::AutomationValue(sum),
                                   &result)
                    ? S_OK
                    : E_OUTOFMEMORY;
       }},
      {u"Greet",
       [](std::span<const VARIANT> args, VARIANT& result, std::u16string&) {
         const std::optional<webview::AutomationValue> name =
             args.empty() ? std::nullopt : webview::FromVariant(args[0]);
         const auto* text = name ? std::get_if<std::u16string>(&*name) : nullptr;
         if (text == nullptr) return DISP_E_TYPEMISMATCH;
         return webview::ToVariant(u"Hello, " + *text, &result) ? S_OK : E_OUTOFMEMORY;
       }},
      {u"Echo",
       [](std::span<const VARIANT> args, VARIANT& result, std::u16string&) {
         // NOLINTNEXTLINE(cppcoreguidelines-pro-type-const-cast): mingw-w64 declares the source without const
         return args.size() == 1 ? VariantCopy(&result, const_cast<VARIANT*>(&args[0]))
                                 : DISP_E_BADPARAMCOUNT;
       }},
      {u"Fail",
       [](std::span<const VARIANT>, VARIANT&, std::u16string& error) {
         error = u"The calculator refuses.";
         return E_INVALIDARG;
       }},
  });
}

}  // namespace velmoran::test
