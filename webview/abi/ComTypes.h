#pragma once

// The few COM types the browser runtime's interfaces are written in. A Windows
// build takes them from the system, so the real runtime, the system and this
// code agree on every one of them; any other build declares portable
// equivalents with the same names, sizes and layouts, for the simulated runtime.

#include <cstdint>
#include <string>

#if defined(_WIN32)

// <windows.h> first: the COM headers after it rely on its declarations.
#include <windows.h>
#include <eventtoken.h>
#include <oaidl.h>
#include <objidl.h>
#include <unknwn.h>

// MSVC's default for member functions on x86 is __thiscall; every COM method is __stdcall.
#define WV2_STDCALL __stdcall

#else  // portable equivalents

#define WV2_STDCALL

// Fixed-width on purpose: Windows' long is 32 bits, an LP64 long is not.
using HRESULT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using BOOL = std::int32_t;  // not C++ bool: four bytes across the interface
using INT = std::int32_t;
using UINT = std::uint32_t;
using INT32 = std::int32_t;
using UINT32 = std::uint32_t;
using INT64 = std::int64_t;
using UINT64 = std::uint64_t;
using BYTE = std::uint8_t;
using DWORD = std::uint32_t;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

// Windows' WCHAR is a 16-bit UTF-16 unit; wchar_t is 32 bits here.
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using PWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using PCWSTR = const WCHAR*;

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};
using IID = GUID;
using REFIID = const IID&;
using REFGUID = const GUID&;

constexpr bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.Data4[i] != b.Data4[i]) return false;
  }
  return true;
}

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct POINT {
  LONG x;
  LONG y;
};

struct EventRegistrationToken {
  std::int64_t value;
};

// A window handle is only ever passed through, never looked into.
struct HWND__;  // NOLINT(bugprone-reserved-identifier): the system's own name for the handle's type
using HWND = HWND__*;
// So is a cursor's.
struct HICON__;  // NOLINT(bugprone-reserved-identifier): the system's own name for the handle's type
using HICON = HICON__*;
using HCURSOR = HICON;

// System types that appear in parameters.
struct IStream;
struct VARIANT;  // declared in full, with IDispatch and BSTR, in webview/abi/Automation.h
struct IDataObject;

struct IUnknown {
  virtual HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** ppvObject) = 0;
  virtual ULONG WV2_STDCALL AddRef() = 0;
  virtual ULONG WV2_STDCALL Release() = 0;

 protected:
  // An interface is released, never deleted through.
  ~IUnknown() = default;
};

inline constexpr IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

#endif  // _WIN32

namespace velmoran::webview {

// The registry form of an id, upper case with braces: "{76ECEACB-0462-4D94-AC83-423A6793775E}".
std::u16string GuidToRegistryText(const GUID& id);

}  // namespace velmoran::webview
