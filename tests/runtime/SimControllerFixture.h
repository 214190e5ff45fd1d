#pragma once

// A simulated platform and the simulated runtime's controller side, without
// the loader: a host window, a runtime context, a controller side with the
// test's choices, and the message pump that lets the runtime's later answers
// arrive. Controllers can be made directly (MakeController) or through a
// simulated environment (Environment).

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>

#include "platform/WindowManager.h"
#include "platform/sim/SimPlatform.h"
#include "runtime/sim/SimController.h"
#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimCoreWebView2Environment.h"
#include "runtime/sim/SimRuntime.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "runtime/sim/SimWebView.h"
#include "tests/support/TempFolder.h"
#include "webview/abi/WebView2Abi.h"

namespace velmoran::test {
using runtime::sim::MakeSimRuntimeContext;
using runtime::sim::SimController;
using runtime::sim::SimControllerRequest;
using runtime::sim::SimControllerSide;
using runtime::sim::SimCoreWebView2Environment;
using runtime::sim::SimEnvironmentRequest;
using runtime::sim::SimRuntimeContext;

class SimControllerFixture : public testing::Test {
 protected:
  SimControllerFixture()
      : platform(folder.path()),
        context(MakeSimRuntimeContext(platform)),
        side(std::make_shared<SimControllerSide>()) {
    context->SetControllerFactory(side);
    platform::WindowCreation creation;
    creation.className = u"TWVWindowParent";
    creation.style = platform::kWsChild | platform::kWsVisible;
    creation.bounds = {0, 0, 800, 600};
    hostWindow = platform.windows().CreateWindowExW(creation);
  }

  ~SimControllerFixture() override { PumpAll(); }

  HWND HostHwnd() const { return reinterpret_cast<HWND>(hostWindow); }

  // One turn of the message loop: the messages queued now are dispatched;
  // what they post in turn waits for the next turn.
  void Pump() {
    std::size_t waiting = platform.windows().QueuedMessages();
    platform::Message message;
    while (waiting-- > 0 && platform.windows().PeekMessageW(message, 0, 0, 0, platform::kPmRemove)) {
      platform.windows().DispatchMessageW(message);
    }
  }
  void PumpAll() {
    for (int turn = 0; turn < 100 && platform.windows().QueuedMessages() > 0; ++turn) Pump();
  }

  // A controller as a completed creation hands it over, with the choices made so far.
  webview::ComPtr<SimController> MakeController() {
    SimControllerRequest request;
    request.parentWindow = HostHwnd();
    return webview::MakeComObject<SimController>(context, side, HostHwnd(), request);
  }

  webview::ComPtr<SimCoreWebView2Environment> Environment() {
    return webview::MakeComObject<SimCoreWebView2Environment>(context, SimEnvironmentRequest{});
  }

  TempFolder folder;
  platform::sim::SimPlatform platform;
  std::shared_ptr<SimRuntimeContext> context;
  std::shared_ptr<SimControllerSide> side;
  platform::WindowHandle hostWindow = 0;
};

}  // namespace velmoran::test
