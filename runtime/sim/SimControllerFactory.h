#pragma once

// The seam through which the simulated environment makes controllers and the
// objects that belong to them. The environment checks its own preconditions
// (the handler is there, no failure scripted) and hands the rest to the
// factory the test installed; without one these calls answer E_NOTIMPL.
// A factory must complete asynchronously (SimRuntimeContext::Post), never
// inside the call, as the real runtime does.

#include "webview/abi/ComResults.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimCoreWebView2Environment;

class SimControllerFactory {
 public:
  virtual ~SimControllerFactory() = default;

  // `options` is none for CreateCoreWebView2Controller.
  virtual HRESULT CreateController(SimCoreWebView2Environment& /*environment*/, HWND /*parentWindow*/,
                                   ICoreWebView2ControllerOptions* /*options*/,
                                   ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* /*handler*/) {
    return E_NOTIMPL;
  }
  virtual HRESULT CreateCompositionController(
      SimCoreWebView2Environment& /*environment*/, HWND /*parentWindow*/,
      ICoreWebView2ControllerOptions* /*options*/,
      ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* /*handler*/) {
    return E_NOTIMPL;
  }
  virtual HRESULT CreateControllerOptions(SimCoreWebView2Environment& /*environment*/,
                                          ICoreWebView2ControllerOptions** /*value*/) {
    return E_NOTIMPL;
  }
  virtual HRESULT CreatePrintSettings(SimCoreWebView2Environment& /*environment*/,
                                      ICoreWebView2PrintSettings** /*value*/) {
    return E_NOTIMPL;
  }
  virtual HRESULT CreateContextMenuItem(SimCoreWebView2Environment& /*environment*/, LPCWSTR /*label*/,
                                        COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND /*kind*/,
                                        ICoreWebView2ContextMenuItem** /*value*/) {
    return E_NOTIMPL;
  }
};

}  // namespace velmoran::runtime::sim
