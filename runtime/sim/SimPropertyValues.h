#pragma once

// The stored properties of a simulated object: what a put_ wrote, read back
// by the get_ of the same name; a property never written reads as its default
// (set by whoever made the object) or as zero. The test may script a failure
// for "get_<Name>" or "put_<Name>". Texts are handed out as task-memory
// copies, as the runtime does.

#include <any>
#include <map>
#include <string>
#include <string_view>

#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"
#include "webview/abi/WideText.h"

namespace velmoran::runtime::sim {

class SimPropertyValues {
 public:
  explicit SimPropertyValues(SimRuntimeContext& context) : context_(context) {}
  SimPropertyValues(const SimPropertyValues&) = delete;
  SimPropertyValues& operator=(const SimPropertyValues&) = delete;

  template <typename T>
  HRESULT Get(std::string_view name, T* value) {
    if (value == nullptr) return E_POINTER;
    *value = T{};
    if (const HRESULT scripted = context_.CallResult("get_" + std::string(name)); FAILED(scripted))
      return scripted;
    *value = Read<T>(name);
    return S_OK;
  }
  HRESULT Get(std::string_view name, LPWSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    if (const HRESULT scripted = context_.CallResult("get_" + std::string(name)); FAILED(scripted))
      return scripted;
    *value = webview::CoTaskMemDup(context_.Com(), Read<std::u16string>(name));
    return *value == nullptr ? E_OUTOFMEMORY : S_OK;
  }

  template <typename T>
  HRESULT Put(std::string_view name, T value) {
    if (const HRESULT scripted = context_.CallResult("put_" + std::string(name)); FAILED(scripted))
      return scripted;
    Write(name, value);
    return S_OK;
  }
  HRESULT Put(std::string_view name, LPCWSTR value) {
    if (const HRESULT scripted = context_.CallResult("put_" + std::string(name)); FAILED(scripted))
      return scripted;
    Write(name, std::u16string(webview::FromWideText(value)));
    return S_OK;
  }

  // For the object itself and the test: no scripted failure applies.
  template <typename T>
  T Read(std::string_view name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return T{};
    const T* stored = std::any_cast<T>(&it->second);
    return stored != nullptr ? *stored : T{};
  }
  template <typename T>
  void Write(std::string_view name, T value) {
    values_[std::string(name)] = std::move(value);
  }
  bool Has(std::string_view name) const { return values_.find(name) != values_.end(); }

 private:
  SimRuntimeContext& context_;
  std::map<std::string, std::any, std::less<>> values_;
};

}  // namespace velmoran::runtime::sim
