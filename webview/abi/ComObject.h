#pragma once

// The common part of every COM object this system implements itself (event
// sinks, completion handlers, the environment options object, the simulated
// runtime's objects): the reference count and QueryInterface.
//
//   class ScriptDone final : public ComObject<ICoreWebView2ExecuteScriptCompletedHandler> {
//     HRESULT WV2_STDCALL Invoke(HRESULT errorCode, LPCWSTR resultObjectAsJson) override;
//   };
//   ComPtr<ScriptDone> done = MakeComObject<ScriptDone>();
//
// QueryInterface answers IUnknown, each listed interface and every earlier
// version it derives from (ICoreWebView2Environment10 answers for
// ICoreWebView2Environment too). Interfaces that do not derive from one
// another, such as the environment options and its later versions, are listed
// one by one. Most objects live on one thread, as every runtime object does,
// and take ComObject with its plain count; AtomicComObject is for objects
// that another thread may hold and release too (a runtime's reader thread).

#include <atomic>
#include <type_traits>
#include <utility>

#include "webview/abi/ComPtr.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"
#include "webview/abi/WebView2Ids.h"

namespace velmoran::webview {

template <typename Count, typename First, typename... Rest>
class BasicComObject : public First, public Rest... {
 public:
  BasicComObject(const BasicComObject&) = delete;
  BasicComObject& operator=(const BasicComObject&) = delete;

  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown) {
      // One IUnknown for the whole object, whichever interface was asked: COM compares identities by it.
      *object = static_cast<IUnknown*>(static_cast<First*>(this));
    } else if (!(Find<First>(riid, object) || ... || Find<Rest>(riid, object))) {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }

  ULONG WV2_STDCALL AddRef() override { return ++references_; }

  ULONG WV2_STDCALL Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  // A new object holds one reference, owned by whoever created it (see MakeComObject).
  BasicComObject() = default;
  virtual ~BasicComObject() = default;

 private:
  // Whether `riid` names Interface or one of the versions it derives from.
  template <typename Interface>
  static bool InChain(REFIID riid) {
    if constexpr (std::is_same_v<Interface, IUnknown>) {
      return false;
    } else {
      return riid == InterfaceTraits<Interface>::kId ||
             InChain<typename InterfaceTraits<Interface>::Base>(riid);
    }
  }

  template <typename Interface>
  bool Find(REFIID riid, void** object) {
    if (!InChain<Interface>(riid)) return false;
    // Each version is the first base of the next, at the same address, so the
    // pointer to Interface serves for any earlier version in its chain.
    *object = static_cast<Interface*>(this);
    return true;
  }

  Count references_{1};
};

template <typename First, typename... Rest>
using ComObject = BasicComObject<ULONG, First, Rest...>;
template <typename First, typename... Rest>
using AtomicComObject = BasicComObject<std::atomic<ULONG>, First, Rest...>;

// Creates a COM object and hands its first reference to a ComPtr.
template <typename T, typename... Arguments>
ComPtr<T> MakeComObject(Arguments&&... arguments) {
  ComPtr<T> object;
  object.Attach(new T(std::forward<Arguments>(arguments)...));
  return object;
}

}  // namespace velmoran::webview
