#pragma once

// A simulated Windows with the simulated runtime (environment and controller
// side) installed, the shared loader started and answered, a form with the
// host window inside it, and one browser control attached to the host, as the
// main window holds them. Pump() delivers what the runtime queued.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/SimPlatform.h"
#include "runtime/sim/SimController.h"
#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimRuntime.h"
#include "runtime/sim/SimWebView.h"
#include "tests/support/TempFolder.h"
#include "webview/browser/TWVBrowser.h"
#include "webview/browser/TWVWindowParent.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::test {
using webview::CreateSharedWebViewLoader;
using webview::DestroySharedWebViewLoader;
using webview::TWVBrowser;
using webview::TWVBrowserBase;
using webview::TWVLoader;
using webview::TWVWindowParent;

// What the browser control raised, in order.
struct InitializationError {
  HRESULT code = 0;
  std::u16string message;
};

class BrowserTest : public testing::Test {
 protected:
  BrowserTest() : sim(temp.path()), windows(sim.windows()) {
    platform::WindowCreation form;
    form.className = u"TForm";
    form.style = platform::kWsVisible;
    form.bounds = platform::Rect{0, 0, 1000, 800};
    formHandle = windows.CreateWindowExW(form);
    host.CreateHandle(formHandle);
    windows.SetWindowPos(host.Handle(), 0, 0, 0, 800, 600, platform::kSwpNoZOrder);
    host.SetBrowser(browser.get());
    browser->OnInitializationError = [this](TWVBrowserBase* sender, HRESULT code,
                                            const std::u16string& message) {
      EXPECT_EQ(sender, browser.get());
      errors.push_back({code, message});
    };
  }

  ~BrowserTest() override {
    browser.reset();
    DestroySharedWebViewLoader();
    Pump();
    runtime.reset();
  }

  // Installs the runtime with `options` and `choices`, and starts the shared loader.
  void StartRuntime() {
    runtime = runtime::sim::InstallSimRuntime(sim, options);
    side = runtime::sim::InstallSimControllerSide(*runtime, choices);
    TWVLoader& loader = CreateSharedWebViewLoader(sim);
    ASSERT_TRUE(loader.StartWebView2());
    Pump();
    ASSERT_TRUE(loader.Initialized());
  }

  // The whole creation: runtime, CreateBrowser with the host's handle, the completion.
  void CreateBrowserNow() {
    StartRuntime();
    ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
    Pump();
  }

  void Pump() {
    platform::Message message;
    while (windows.PeekMessageW(message, 0, 0, 0, platform::kPmRemove)) windows.DispatchMessageW(message);
  }

  // The runtime's newest controller; a test that finds none fails there.
  runtime::sim::SimController& Controller() {
    runtime::sim::SimController* controller = side ? side->LastController() : nullptr;
    if (controller == nullptr) throw std::runtime_error("the runtime made no controller");
    return *controller;
  }
  runtime::sim::SimWebView& WebView() { return Controller().WebView(); }

  TempFolder temp;
  platform::sim::SimPlatform sim;
  platform::sim::SimWindowManager& windows;
  runtime::sim::SimRuntimeConfig options;
  runtime::sim::SimControllerConfig choices;
  std::unique_ptr<runtime::sim::SimRuntime> runtime;
  std::shared_ptr<runtime::sim::SimControllerSide> side;
  platform::WindowHandle formHandle = 0;
  TWVWindowParent host{sim.windows()};
  std::unique_ptr<TWVBrowser> browser = std::make_unique<TWVBrowser>(sim);
  std::vector<InitializationError> errors;
};

}  // namespace velmoran::test
