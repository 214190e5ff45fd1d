#pragma once

// The base of this runtime's COM objects: QueryInterface as the project's
// ComObject answers it (IUnknown, each listed interface and the versions it
// derives from), with a reference count that is atomic, since the pipe's
// reader thread may hold and drop references while the host uses them.

#include <atomic>
#include <type_traits>
#include <utility>

#include "webview/abi/ComPtr.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"
#include "webview/abi/WebView2Ids.h"

namespace velmoran::runtime::chromium {

template <typename First, typename... Rest>
class AtomicComObject : public First, public Rest... {
 public:
  AtomicComObject(const AtomicComObject&) = delete;
  AtomicComObject& operator=(const AtomicComObject&) = delete;

  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown) {
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
  AtomicComObject() = default;
  virtual ~AtomicComObject() = default;

 private:
  template <typename Interface>
  static bool InChain(REFIID riid) {
    if constexpr (std::is_same_v<Interface, IUnknown>) {
      return false;
    } else {
      return riid == webview::InterfaceTraits<Interface>::kId ||
             InChain<typename webview::InterfaceTraits<Interface>::Base>(riid);
    }
  }

  template <typename Interface>
  bool Find(REFIID riid, void** object) {
    if (!InChain<Interface>(riid)) return false;
    *object = static_cast<Interface*>(this);
    return true;
  }

  std::atomic<ULONG> references_{1};
};

template <typename T, typename... Arguments>
webview::ComPtr<T> MakeObject(Arguments&&... arguments) {
  webview::ComPtr<T> object;
  object.Attach(new T(std::forward<Arguments>(arguments)...));
  return object;
}

}  // namespace velmoran::runtime::chromium
