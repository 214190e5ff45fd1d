#pragma once

// A host object made from a table of named methods, for AddHostObjectToScript:
//
//   auto adder = TableHostObject::Make({
//       {u"Add", [](std::span<const VARIANT> args, VARIANT& result, std::u16string&) {
//          ...; return S_OK; }}});
//   browser.AddHostObjectToScript(u"calc", adder.Get());
//
// The page calls a method by its name (GetIDsOfNames, then Invoke); the method
// gets the page's arguments in their order and fills `result`, which starts
// empty. A method that fails returns its failure code and may say why in
// `error`: the caller then gets DISP_E_EXCEPTION with that code and text,
// which a page sees as the rejection of its call; without a text the caller
// gets the code itself (DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH, ...). Names match without regard to case,
// as automation names do.

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "webview/abi/Automation.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::webview {

class TableHostObject final : public ComObject<DispatchInterface> {
 public:
  using Method =
      std::function<HRESULT(std::span<const VARIANT> arguments, VARIANT& result, std::u16string& error)>;
  using MethodTable = std::vector<std::pair<std::u16string, Method>>;

  explicit TableHostObject(MethodTable methods) : methods_(std::move(methods)) {}
  static ComPtr<TableHostObject> Make(MethodTable methods) {
    return MakeComObject<TableHostObject>(std::move(methods));
  }

  HRESULT WV2_STDCALL GetTypeInfoCount(UINT* count) override;
  HRESULT WV2_STDCALL GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT WV2_STDCALL GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                    DISPID* ids) override;
  HRESULT WV2_STDCALL Invoke(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                             VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  MethodTable methods_;
};

}  // namespace velmoran::webview
