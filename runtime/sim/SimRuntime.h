#pragma once

// The simulated browser runtime as a test installs it. InstallSimRuntime puts
// the loader library's file beside the executable (version resource and PE
// header), the installed runtime's "pv" registry entry, and the library with
// its five exports into the module table; the loader then finds it exactly as
// it finds the real one. Only one runtime is installed at a time: the exports
// are plain functions and reach the active runtime (ActiveSimRuntime).

#include <cstddef>
#include <memory>
#include <string>

#include "platform/sim/SimPlatform.h"
#include "runtime/sim/SimControllerConfig.h"
#include "runtime/sim/SimControllerFactory.h"
#include "runtime/sim/SimEnvironmentRequest.h"
#include "runtime/sim/SimRuntimeConfig.h"
#include "runtime/sim/SimRuntimeContext.h"

namespace velmoran::runtime::sim {

class SimControllerSide;

class SimRuntime {
 public:
  SimRuntime(platform::sim::SimPlatform& platform, SimRuntimeConfig config);
  ~SimRuntime();
  SimRuntime(const SimRuntime&) = delete;
  SimRuntime& operator=(const SimRuntime&) = delete;

  // The runtime the exports answer for; none when no runtime is installed.
  static std::shared_ptr<SimRuntimeContext> ActiveContext() { return ActiveSimRuntime(); }

  SimRuntimeContext& Context() { return *context_; }
  // Changes take effect from the next call that reads them.
  SimRuntimeConfig& Config() { return context_->Config(); }

  // Failure injection for one named method or export; S_OK clears it.
  void SetCallResult(std::string method, HRESULT result) {
    context_->SetCallResult(std::move(method), result);
  }
  void SetControllerFactory(std::shared_ptr<SimControllerFactory> factory) {
    context_->SetControllerFactory(std::move(factory));
  }

  // Sends the environment completions held back (holdEnvironmentCompletions)
  // to the message queue; they arrive when the test next pumps it.
  void ReleaseEnvironmentCompletions() { context_->ReleaseHeld(); }

  // The three environment events, raised on every live environment when the
  // test next pumps the message queue.
  void RaiseNewBrowserVersionAvailable();
  void RaiseBrowserProcessExited(
      COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND kind = COREWEBVIEW2_BROWSER_PROCESS_EXIT_KIND_NORMAL);
  void RaiseProcessInfosChanged();
  // The browser process exits with `exitCode` when the test next pumps the
  // message queue (FailSimBrowserProcess); a renderer fails through its
  // webview (SimWebView::FailRenderProcess).
  void FailBrowserProcess(int exitCode);

  // Objects of the runtime still alive (environments, event arguments,
  // collections...): zero once every holder released them.
  std::size_t LiveObjects() const { return context_->LiveObjects(); }
  std::size_t LiveEnvironments() const { return context_->Environments().size(); }
  // Handlers subscribed on all live environments.
  std::size_t Subscriptions() const;
  const std::vector<SimEnvironmentRequest>& EnvironmentRequests() const {
    return context_->EnvironmentRequests();
  }
  const std::vector<HWND>& ControllerRequests() const { return context_->ControllerRequests(); }

  // The path of the loader library's file beside the executable.
  std::u16string LoaderLibraryPath() const;

 private:
  void InstallLoaderFile();
  void InstallRegistryEntry();
  void InstallFixedRuntime();
  void RegisterLoaderLibrary();

  platform::sim::SimPlatform& platform_;
  std::shared_ptr<SimRuntimeContext> context_;
};

// Installs a simulated runtime on `platform`; it stays installed as long as
// the returned object lives.
std::unique_ptr<SimRuntime> InstallSimRuntime(platform::sim::SimPlatform& platform,
                                              SimRuntimeConfig config = {});

// Installs a controller side into `runtime`; the runtime keeps it.
std::shared_ptr<SimControllerSide> InstallSimControllerSide(SimRuntime& runtime,
                                                            SimControllerConfig config = {});

// A runtime context on the simulated Windows, posting to its message queue,
// for tests that make the runtime's objects without installing it.
std::shared_ptr<SimRuntimeContext> MakeSimRuntimeContext(platform::sim::SimPlatform& platform,
                                                         SimRuntimeConfig config = {});

}  // namespace velmoran::runtime::sim
