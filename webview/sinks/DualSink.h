#pragma once

// The sink shape shared by the browser control and the loader: made with one
// of the two faces, it calls the browser face when it was given one, else the
// loader face. A sink made for a browser control never falls back to the
// loader, not even once that control is gone: it answers E_FAIL instead.
//
// The environment completion sink has this shape too:
//   DualSink<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler,
//            &IWVBrowserEvents::HandleEnvironmentCompleted, &IWVLoaderEvents::HandleEnvironmentCompleted,
//            u"EnvironmentCompleted">

#include <string_view>

#include "webview/abi/ComObject.h"
#include "webview/sinks/IWVBrowserEvents.h"
#include "webview/sinks/IWVLoaderEvents.h"
#include "webview/sinks/SinkDispatch.h"
#include "webview/sinks/SinkLink.h"
#include "webview/sinks/SinkName.h"

namespace velmoran::webview {

template <typename Interface, auto BrowserMethod, auto LoaderMethod, SinkName Name>
class DualSink;

template <typename Interface, typename... Arguments, HRESULT (IWVBrowserEvents::*BrowserMethod)(Arguments...),
          HRESULT (IWVLoaderEvents::*LoaderMethod)(Arguments...), SinkName Name>
class DualSink<Interface, BrowserMethod, LoaderMethod, Name> final : public ComObject<Interface> {
 public:
  static constexpr std::u16string_view kCallbackName = Name.View();

  explicit DualSink(IWVBrowserEvents* aBrowserEvents) : browserEvents_(aBrowserEvents) {}
  explicit DualSink(IWVLoaderEvents* aLoaderEvents) : loaderEvents_(aLoaderEvents) {}

  HRESULT WV2_STDCALL Invoke(Arguments... arguments) override {
    if (browserEvents_.IsSet()) {
      return DispatchToTarget(browserEvents_, Name.View(), [&](IWVBrowserEvents& target) {
        return (target.*BrowserMethod)(arguments...);
      });
    }
    return DispatchToTarget(loaderEvents_, Name.View(),
                            [&](IWVLoaderEvents& target) { return (target.*LoaderMethod)(arguments...); });
  }

 private:
  SinkLink<IWVBrowserEvents> browserEvents_;
  SinkLink<IWVLoaderEvents> loaderEvents_;
};

}  // namespace velmoran::webview
