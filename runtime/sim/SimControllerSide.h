#pragma once

// The simulated runtime's controller side, installed into the environment's
// SimControllerFactory seam: it makes controller options, print settings and
// controllers. A controller request completes later, from the message queue,
// as the test chose: with a new controller (and its webview, settings and
// profile, and the runtime's child windows inside the host window), with a
// failure code, or with success but no controller.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "runtime/sim/SimControllerConfig.h"
#include "runtime/sim/SimControllerFactory.h"
#include "runtime/sim/SimRuntimeContext.h"

namespace velmoran::runtime::sim {

class SimCompositionController;
class SimController;

// What one controller request asked for.
struct SimControllerRequest {
  HWND parentWindow = nullptr;
  bool withOptions = false;
  std::u16string profileName;
  bool isInPrivateModeEnabled = false;
  std::u16string scriptLocale;
};

class SimControllerSide final : public SimControllerFactory,
                                public std::enable_shared_from_this<SimControllerSide> {
 public:
  explicit SimControllerSide(SimControllerConfig config = {}) : config_(std::move(config)) {}

  HRESULT CreateController(SimCoreWebView2Environment& environment, HWND parentWindow,
                           ICoreWebView2ControllerOptions* options,
                           ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) override;
  HRESULT CreateControllerOptions(SimCoreWebView2Environment& environment,
                                  ICoreWebView2ControllerOptions** value) override;
  HRESULT CreatePrintSettings(SimCoreWebView2Environment& environment,
                              ICoreWebView2PrintSettings** value) override;
  // The windowless browser's controller and the application's context menu
  // items (SimCompositionController.cpp, SimContextMenuItem.cpp).
  HRESULT CreateCompositionController(
      SimCoreWebView2Environment& environment, HWND parentWindow, ICoreWebView2ControllerOptions* options,
      ICoreWebView2CreateCoreWebView2CompositionControllerCompletedHandler* handler) override;
  HRESULT CreateContextMenuItem(SimCoreWebView2Environment& environment, LPCWSTR label,
                                COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND kind,
                                ICoreWebView2ContextMenuItem** value) override;
  // The composition controllers made, oldest first (each holds its controller, which Controllers() lists).
  const std::vector<SimCompositionController*>& CompositionControllers() const {
    return compositionControllers_;
  }
  void CompositionControllerCreated(SimCompositionController* controller) {
    compositionControllers_.push_back(controller);
  }
  void CompositionControllerDestroyed(SimCompositionController* controller);

  SimControllerConfig& Config() { return config_; }
  const std::vector<SimControllerRequest>& Requests() const { return requests_; }

  // The controllers alive now, oldest first.
  const std::vector<SimController*>& Controllers() const { return controllers_; }
  SimController* LastController() const { return controllers_.empty() ? nullptr : controllers_.back(); }

  // Kept by each controller for its life.
  void ControllerCreated(SimController* controller) { controllers_.push_back(controller); }
  void ControllerDestroyed(SimController* controller);

 private:
  SimControllerConfig config_;
  std::vector<SimControllerRequest> requests_;
  std::vector<SimController*> controllers_;
  std::vector<SimCompositionController*> compositionControllers_;
  INT32 nextCommandId_ = 50000;
};

}  // namespace velmoran::runtime::sim
