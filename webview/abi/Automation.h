#pragma once

// The automation types a host object is made of: VARIANT, BSTR and IDispatch,
// with the few functions that own their memory (SysAllocString, SysFreeString,
// VariantInit, VariantClear, VariantCopy). A Windows build takes all of them
// from the system (<oaidl.h>, <oleauto.h>), so a runtime, the system and this
// code agree on every one; any other build declares portable equivalents with
// the same names and the published layout, and allocation functions of its
// own, for the simulated runtime.

#include <cstdint>

#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

#if defined(_WIN32)

#include <oleauto.h>

#else  // portable equivalents

using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using FLOAT = float;
using DOUBLE = double;
using SCODE = LONG;
using LCID = DWORD;
using DISPID = LONG;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
// A BSTR points at its first unit; its length in bytes sits in the four bytes before it
// and a zero unit follows its last.
using BSTR = OLECHAR*;

inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
  VT_BYREF = 0x4000,
};

struct IDispatch;

// Sixteen bytes on x86: the type, three reserved words, then eight bytes of value.
struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONGLONG llVal;
    LONG lVal;
    BYTE bVal;
    SHORT iVal;
    FLOAT fltVal;
    DOUBLE dblVal;
    VARIANT_BOOL boolVal;
    SCODE scode;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    VARIANT* pvarVal;
    char cVal;
    USHORT uiVal;
    ULONG ulVal;
    ULONGLONG ullVal;
    INT intVal;
    UINT uintVal;
  };
};
using VARIANTARG = VARIANT;

struct DISPPARAMS {
  VARIANTARG* rgvarg;  // the arguments, last one first
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

struct EXCEPINFO {
  WORD wCode;
  WORD wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  DWORD dwHelpContext;
  void* pvReserved;
  HRESULT(WV2_STDCALL* pfnDeferredFillIn)(EXCEPINFO*);
  SCODE scode;
};

// Type information is never asked of a host object here: declared, never called.
struct ITypeInfo;

struct IDispatch : public IUnknown {
  virtual HRESULT WV2_STDCALL GetTypeInfoCount(UINT* pctinfo) = 0;
  virtual HRESULT WV2_STDCALL GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
  virtual HRESULT WV2_STDCALL GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) = 0;
  virtual HRESULT WV2_STDCALL Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                     UINT* puArgErr) = 0;

 protected:
  ~IDispatch() = default;
};

inline constexpr IID IID_IDispatch = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_NULL = {0x00000000, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 0}};

inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr WORD DISPATCH_METHOD = 1;
inline constexpr WORD DISPATCH_PROPERTYGET = 2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 4;
inline constexpr WORD DISPATCH_PROPERTYPUTREF = 8;
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
inline constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008u);
inline constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);

// The system's functions, with the system's contracts: a null text gives a null
// BSTR, SysFreeString and VariantClear take null and empty values alike.
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
void VariantInit(VARIANT* value);
HRESULT VariantClear(VARIANT* value);
HRESULT VariantCopy(VARIANT* destination, const VARIANT* source);

#endif  // _WIN32

namespace velmoran::webview {

template <typename Interface>
struct InterfaceTraits;

template <>
struct InterfaceTraits<IDispatch> {
  using Base = IUnknown;
  static constexpr const IID& kId = IID_IDispatch;
};

// What an object of this system implements to be called by name (ComObject<DispatchInterface>): the
// system's IDispatch leaves its destructor public, and an object is released, never deleted through
// an interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
struct DispatchInterface : public IDispatch {
 protected:
  ~DispatchInterface() = default;
};
#pragma GCC diagnostic pop

template <>
struct InterfaceTraits<DispatchInterface> {
  using Base = IDispatch;
  static constexpr const IID& kId = IID_IDispatch;
};

}  // namespace velmoran::webview
