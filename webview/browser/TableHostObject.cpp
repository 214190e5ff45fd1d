#include "webview/browser/TableHostObject.h"

#include <cstring>
#include <exception>
#include <string_view>

#include "webview/abi/WideText.h"

namespace velmoran::webview {

namespace {

bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x - u'A' + u'a');
    if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y - u'A' + u'a');
    if (x != y) return false;
  }
  return true;
}

void FillException(EXCEPINFO* exception, HRESULT code, const std::u16string& source,
                   const std::u16string& description) {
  std::memset(exception, 0, sizeof *exception);
  exception->scode = code;
  exception->bstrSource = SysAllocString(AsWideText(source));
  exception->bstrDescription = SysAllocString(AsWideText(description));
}

}  // namespace

HRESULT TableHostObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT TableHostObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT TableHostObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr) return E_POINTER;
  HRESULT outcome = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    // Only the first name is a member; the rest would name its parameters, which have no ids here.
    if (i > 0 || names[i] == nullptr) {
      outcome = DISP_E_UNKNOWNNAME;
      continue;
    }
    const std::u16string_view wanted = FromWideText(names[i]);
    for (std::size_t m = 0; m < methods_.size(); ++m) {
      if (SameNameIgnoringCase(methods_[m].first, wanted)) ids[i] = static_cast<DISPID>(m + 1);
    }
    if (ids[i] == DISPID_UNKNOWN) outcome = DISP_E_UNKNOWNNAME;
  }
  return outcome;
}

HRESULT TableHostObject::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  if (member < 1 || static_cast<std::size_t>(member) > methods_.size() || (flags & DISPATCH_METHOD) == 0)
    return DISP_E_MEMBERNOTFOUND;
  if (parameters == nullptr) return E_INVALIDARG;
  if (parameters->cNamedArgs > 0) {
    if (argumentError != nullptr) *argumentError = 0;
    return DISP_E_PARAMNOTFOUND;
  }
  if (parameters->cArgs > 0 && parameters->rgvarg == nullptr) return E_INVALIDARG;
  // The caller lists the arguments last one first; the table's methods get them in order.
  std::vector<VARIANT> arguments;
  arguments.reserve(parameters->cArgs);
  for (UINT i = parameters->cArgs; i > 0; --i) arguments.push_back(parameters->rgvarg[i - 1]);

  const auto& [name, method] = methods_[static_cast<std::size_t>(member - 1)];
  VARIANT answer;
  VariantInit(&answer);
  std::u16string error;
  HRESULT code = E_FAIL;
  try {
    code = method ? method(arguments, answer, error) : E_NOTIMPL;
  } catch (const std::exception&) {
    code = E_FAIL;
    error = u"The method " + name + u" ended with an exception.";
  }
  if (FAILED(code)) {
    VariantClear(&answer);
    // Without words of its own the failure is Invoke's own (a wrong argument count, say), and the caller
    // describes it.
    if (exception == nullptr || error.empty()) return code;
    FillException(exception, code, name, error);
    return DISP_E_EXCEPTION;
  }
  if (result != nullptr) {
    *result = answer;
  } else {
    VariantClear(&answer);
  }
  return S_OK;
}

}  // namespace velmoran::webview
