#pragma once

// The interface versions one runtime object offers, as a wrapper holds them:
// the base interface (FBaseIntf) and each newer version (FBaseIntf2, 3, ...)
// in ascending order. Collection asks the base interface for each newer
// version in turn and stops at the first refusal, so a version is held only
// when every lower one is; the refusal leaves one line in the loader's error
// log. Get<ICoreWebView2_13>() answers the held interface or none.

#include <tuple>
#include <type_traits>

#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Ids.h"
#include "webview/loader/QueryInterfaceLogged.h"

namespace velmoran::webview {

template <typename Base, typename... Newer>
class InterfaceVersions {
 public:
  InterfaceVersions() = default;
  explicit InterfaceVersions(Base* aBaseIntf) : FBaseIntf(aBaseIntf) {
    if (!FBaseIntf) return;
    bool refused = false;
    std::apply([&](auto&... versions) { ((refused = refused || !Collect(versions)), ...); }, FNewer);
  }
  ~InterfaceVersions() { Release(); }
  InterfaceVersions(const InterfaceVersions&) = delete;
  InterfaceVersions& operator=(const InterfaceVersions&) = delete;

  bool Initialized() const noexcept { return static_cast<bool>(FBaseIntf); }

  template <typename Version>
  Version* Get() const noexcept {
    if constexpr (std::is_same_v<Version, Base>) {
      return FBaseIntf.Get();
    } else {
      return std::get<ComPtr<Version>>(FNewer).Get();
    }
  }

  // Releases every version, the newest first, and the base interface last.
  void Release() noexcept {
    std::apply([](auto&... versions) { ReleaseNewestFirst(versions...); }, FNewer);
    FBaseIntf.Reset();
  }

 private:
  template <typename Version>
  bool Collect(ComPtr<Version>& version) {
    return QueryInterfaceLogged(FBaseIntf, InterfaceTraits<Version>::kId, version);
  }

  static void ReleaseNewestFirst() noexcept {}
  template <typename First, typename... Rest>
  static void ReleaseNewestFirst(First& first, Rest&... rest) noexcept {
    ReleaseNewestFirst(rest...);
    first.Reset();
  }

  ComPtr<Base> FBaseIntf;
  std::tuple<ComPtr<Newer>...> FNewer;
};

}  // namespace velmoran::webview
