#pragma once

// What the host asked of the simulated runtime and what the runtime answered,
// reported as it happens, for a watcher outside the runtime's objects (the
// runtime double's transcript). Every notice has an empty default; the
// runtime reports to a silent observer when none is installed.

#include <cstddef>
#include <string_view>

#include "runtime/sim/SimEnvironmentRequest.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"
#include "webview/abi/WebView2Enums.h"

namespace velmoran::runtime::sim {

class SimWebView;

class SimRuntimeObserver {
 public:
  virtual ~SimRuntimeObserver() = default;

  // An environment request completed with an environment, or failed (at once or in its completion).
  virtual void EnvironmentCreated(const SimEnvironmentRequest& /*request*/) {}
  virtual void EnvironmentFailed(HRESULT /*result*/) {}
  // A controller request completed with a controller in `parentWindow`, or failed.
  virtual void ControllerCreated(HWND /*parentWindow*/) {}
  virtual void ControllerFailed(HRESULT /*result*/) {}
  // A handler subscribed to, or a subscription removed from, the named event.
  virtual void Subscribed(std::string_view /*event*/) {}
  virtual void Unsubscribed(std::string_view /*event*/) {}
  virtual void Navigating(std::u16string_view /*uri*/) {}
  // Reload went back to `uri`.
  virtual void Reloading(std::u16string_view /*uri*/) {}
  // ProcessFailed is about to be raised on a webview.
  virtual void ProcessFailed(COREWEBVIEW2_PROCESS_FAILED_KIND /*kind*/, int /*exitCode*/) {}
  // NavigationCompleted is about to be raised on `webView`.
  virtual void NavigationCompleted(SimWebView& /*webView*/, bool /*isSuccess*/,
                                   COREWEBVIEW2_WEB_ERROR_STATUS /*status*/) {}
  virtual void ScriptExecuted(std::u16string_view /*javaScript*/) {}
  virtual void BoundsSet(const RECT& /*bounds*/) {}
  virtual void VisibilitySet(bool /*isVisible*/) {}
  // The controller closed with `subscriptionsLeft` subscriptions (its own
  // and its webview's) still in place; a sound shutdown removes them first.
  virtual void ControllerClosed(std::size_t /*subscriptionsLeft*/) {}
};

}  // namespace velmoran::runtime::sim
