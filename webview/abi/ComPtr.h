#pragma once

// An owning reference to a COM object: one AddRef taken per copy, one Release
// given back on destruction or reset, so the logic never writes either by hand.

#include <cstddef>
#include <type_traits>
#include <utility>

#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::webview {

// Each interface's id and base; WebView2Ids.h specialises it for every interface.
template <typename Interface>
struct InterfaceTraits;

template <typename T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}  // NOLINT(google-explicit-constructor): reads as a null pointer

  // Shares `pointer`: takes a reference of its own. Use Attach to take over one already counted.
  explicit ComPtr(T* pointer) noexcept : pointer_(pointer) { AddRefHeld(); }

  ComPtr(const ComPtr& other) noexcept : pointer_(other.pointer_) { AddRefHeld(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}

  // From a later version of the interface to an earlier one (a base class).
  template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  // NOLINTNEXTLINE(google-explicit-constructor): converts as T* from U* does
  ComPtr(const ComPtr<U>& other) noexcept : pointer_(other.Get()) {
    AddRefHeld();
  }
  template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  // NOLINTNEXTLINE(google-explicit-constructor): converts as T* from U* does
  ComPtr(ComPtr<U>&& other) noexcept : pointer_(other.Detach()) {}

  ~ComPtr() { ReleaseHeld(); }

  // Copy and swap: a self-assignment adds a reference, then drops it.
  // NOLINTNEXTLINE(bugprone-unhandled-self-assignment): see above
  ComPtr& operator=(const ComPtr& other) noexcept {
    ComPtr(other).Swap(*this);
    return *this;
  }
  ComPtr& operator=(ComPtr&& other) noexcept {
    ComPtr(std::move(other)).Swap(*this);
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) noexcept {
    Reset();
    return *this;
  }

  T* Get() const noexcept { return pointer_; }
  T* operator->() const noexcept { return pointer_; }
  T& operator*() const noexcept { return *pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  // Releases the reference held, if any.
  void Reset() noexcept {
    T* old = std::exchange(pointer_, nullptr);
    if (old != nullptr) old->Release();
  }

  // Takes over a reference the caller already owns, without AddRef.
  void Attach(T* pointer) noexcept {
    Reset();
    pointer_ = pointer;
  }

  // Gives the reference held to the caller, who must release it.
  [[nodiscard]] T* Detach() noexcept { return std::exchange(pointer_, nullptr); }

  // For an out parameter that receives an already counted reference: releases
  // what is held first, so filling the same ComPtr twice does not leak.
  [[nodiscard]] T** Put() noexcept {
    Reset();
    return &pointer_;
  }
  [[nodiscard]] void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

  // QueryInterface for `iid`, whose interface U is. `out` is emptied first and
  // stays empty on failure.
  template <typename U>
  HRESULT As(REFIID iid, ComPtr<U>& out) const noexcept {
    out.Reset();
    if (pointer_ == nullptr) return E_POINTER;
    return pointer_->QueryInterface(iid, out.PutVoid());
  }

  // The same for an interface whose id InterfaceTraits knows.
  template <typename U>
  HRESULT As(ComPtr<U>& out) const noexcept {
    return As(InterfaceTraits<U>::kId, out);
  }

  void Swap(ComPtr& other) noexcept { std::swap(pointer_, other.pointer_); }

  friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.pointer_ == b.pointer_; }
  friend bool operator==(const ComPtr& a, std::nullptr_t) noexcept { return a.pointer_ == nullptr; }

 private:
  void AddRefHeld() const noexcept {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  void ReleaseHeld() noexcept {
    if (pointer_ != nullptr) pointer_->Release();
  }

  T* pointer_ = nullptr;
};

}  // namespace velmoran::webview
