#include "webview/abi/AutomationValue.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "webview/abi/WideText.h"

namespace velmoran::webview {

namespace {

std::u16string HexCode(HRESULT code) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "0x%08X", static_cast<unsigned>(code));
  std::u16string text;
  for (const char* c = digits; *c != 0; ++c) text += static_cast<char16_t>(*c);
  return text;
}

std::u16string FailureMessage(HRESULT code, std::u16string_view name) {
  if (code == DISP_E_UNKNOWNNAME || code == DISP_E_MEMBERNOTFOUND)
    return u"The host object has no method " + std::u16string(name) + u".";
  if (code == DISP_E_BADPARAMCOUNT)
    return u"The host object's method " + std::u16string(name) + u" takes another number of arguments.";
  if (code == DISP_E_TYPEMISMATCH)
    return u"The host object's method " + std::u16string(name) + u" cannot take these arguments.";
  return u"The host object's method " + std::u16string(name) + u" failed with " + HexCode(code) + u".";
}

std::u16string BstrText(BSTR text) {
  if (text == nullptr) return {};
  return std::u16string(FromWideText(text).substr(0, SysStringLen(text)));
}

// A whole number a page holds exactly goes over as one: 3 stays 3, not 3.0.
AutomationValue NumberValue(double number) {
  if (std::trunc(number) == number && number >= std::numeric_limits<std::int32_t>::min() &&
      number <= std::numeric_limits<std::int32_t>::max())
    return static_cast<std::int32_t>(number);
  return number;
}

// mingw-w64 declares VariantCopy's source without const; the function only reads it.
VARIANT* Source(const VARIANT& value) {
  return const_cast<VARIANT*>(&value);
}  // NOLINT(cppcoreguidelines-pro-type-const-cast): see above

}  // namespace

OwnedVariant::OwnedVariant(const AutomationValue& value) {
  VariantInit(&value_);
  ToVariant(value, &value_);
}

OwnedVariant::OwnedVariant(const OwnedVariant& other) {
  VariantInit(&value_);
  VariantCopy(&value_, Source(other.value_));
}

OwnedVariant& OwnedVariant::operator=(const OwnedVariant& other) {
  if (this != &other) VariantCopy(&value_, Source(other.value_));
  return *this;
}

bool ToVariant(const AutomationValue& value, VARIANT* out) {
  if (out == nullptr) return false;
  VariantInit(out);
  if (std::holds_alternative<std::nullptr_t>(value)) {
    out->vt = VT_NULL;
  } else if (const bool* flag = std::get_if<bool>(&value)) {
    out->vt = VT_BOOL;
    out->boolVal = *flag ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (const std::int32_t* whole = std::get_if<std::int32_t>(&value)) {
    out->vt = VT_I4;
    out->lVal = *whole;
  } else if (const double* number = std::get_if<double>(&value)) {
    out->vt = VT_R8;
    out->dblVal = *number;
  } else {
    const std::u16string& text = std::get<std::u16string>(value);
    BSTR copy = SysAllocStringLen(AsWideText(text), static_cast<UINT>(text.size()));
    if (copy == nullptr) return false;
    out->vt = VT_BSTR;
    out->bstrVal = copy;
  }
  return true;
}

std::optional<AutomationValue> FromVariant(const VARIANT& value) {
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return AutomationValue(nullptr);
    case VT_BOOL:
      return AutomationValue(value.boolVal != VARIANT_FALSE);
    case VT_I1:
      return AutomationValue(static_cast<std::int32_t>(static_cast<signed char>(value.cVal)));
    case VT_UI1:
      return AutomationValue(static_cast<std::int32_t>(value.bVal));
    case VT_I2:
      return AutomationValue(static_cast<std::int32_t>(value.iVal));
    case VT_UI2:
      return AutomationValue(static_cast<std::int32_t>(value.uiVal));
    case VT_I4:
      return AutomationValue(static_cast<std::int32_t>(value.lVal));
    case VT_INT:
      return AutomationValue(static_cast<std::int32_t>(value.intVal));
    case VT_UI4:
      return NumberValue(static_cast<double>(value.ulVal));
    case VT_UINT:
      return NumberValue(static_cast<double>(value.uintVal));
    case VT_I8:
      return NumberValue(static_cast<double>(value.llVal));
    case VT_UI8:
      return NumberValue(static_cast<double>(value.ullVal));
    case VT_R4:
      return AutomationValue(static_cast<double>(value.fltVal));
    case VT_R8:
      return AutomationValue(value.dblVal);
    case VT_BSTR:
      return AutomationValue(BstrText(value.bstrVal));
    default:
      return std::nullopt;
  }
}

DispatchCallResult CallDispatchMethod(IDispatch* object, std::u16string_view name,
                                      const std::vector<AutomationValue>& arguments) {
  DispatchCallResult outcome;
  if (object == nullptr || name.empty()) {
    outcome.code = E_INVALIDARG;
    outcome.message = u"No host object or no method named.";
    return outcome;
  }
  std::u16string nameCopy(name);
#if defined(_WIN32)
  LPOLESTR names[1] = {reinterpret_cast<LPOLESTR>(nameCopy.data())};
#else
  LPOLESTR names[1] = {nameCopy.data()};
#endif
  DISPID id = DISPID_UNKNOWN;
  outcome.code = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(outcome.code)) {
    outcome.message = FailureMessage(outcome.code, name);
    return outcome;
  }

  // Invoke takes the arguments last one first.
  std::vector<OwnedVariant> reversed;
  reversed.reserve(arguments.size());
  for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) reversed.emplace_back(*it);
  std::vector<VARIANT> slots;
  slots.reserve(reversed.size());
  for (const OwnedVariant& argument : reversed) slots.push_back(argument.Value());
  DISPPARAMS parameters{slots.empty() ? nullptr : slots.data(), nullptr, static_cast<UINT>(slots.size()), 0};

  OwnedVariant result;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  outcome.code = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result.Get(),
                                &exception, &argumentError);
  if (outcome.code == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn != nullptr) exception.pfnDeferredFillIn(&exception);
    if (FAILED(exception.scode)) outcome.code = exception.scode;
    outcome.message = BstrText(exception.bstrDescription);
  }
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  if (FAILED(outcome.code)) {
    if (outcome.message.empty()) outcome.message = FailureMessage(outcome.code, name);
    return outcome;
  }
  std::optional<AutomationValue> value = FromVariant(result.Value());
  if (!value) {
    outcome.code = DISP_E_TYPEMISMATCH;
    outcome.message =
        u"The host object's method " + std::u16string(name) + u" returned what a page cannot take.";
    return outcome;
  }
  outcome.value = std::move(*value);
  return outcome;
}

}  // namespace velmoran::webview
