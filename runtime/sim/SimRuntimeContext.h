#pragma once

// The state every object of the simulated runtime shares: the platform it runs
// on, the test's choices, the event tokens, scripted failures, the requests it
// received and the count of its live objects. Objects hold it by shared
// reference, so a completion still waiting in the message queue when the test
// ends never reaches a destroyed runtime.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/SimPlatform.h"
#include "runtime/sim/SimEnvironmentRequest.h"
#include "runtime/sim/SimRuntimeOptions.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::runtime::sim {

class SimControllerFactory;
class SimCoreWebView2Environment;

class SimRuntimeContext {
 public:
  SimRuntimeContext(platform::sim::SimPlatform& platform, SimRuntimeOptions options);
  SimRuntimeContext(const SimRuntimeContext&) = delete;
  SimRuntimeContext& operator=(const SimRuntimeContext&) = delete;

  platform::sim::SimPlatform& Platform() { return platform_; }
  platform::Com& Com() { return platform_.com(); }
  SimRuntimeOptions& Options() { return options_; }

  // Runs `work` when the test pumps the message queue, never inside the call
  // that asked for it: the runtime's completions and events arrive this way.
  void Post(std::function<void()> work);
  // Keeps `work` until ReleaseHeld posts it; DropHeld forgets it unrun.
  void Hold(std::function<void()> work) { held_.push_back(std::move(work)); }
  void ReleaseHeld();
  void DropHeld() { held_.clear(); }

  // A fresh 64-bit registration token; the numbers start above 32 bits so a
  // caller that cut them to 32 would be caught.
  EventRegistrationToken NextToken();

  // A scripted answer for the named method ("get_BrowserVersionString",
  // "add_NewBrowserVersionAvailable", "CompareBrowserVersions"...); S_OK when
  // none was scripted.
  HRESULT CallResult(std::string_view method) const;
  void SetCallResult(std::string method, HRESULT result);

  // Every object of the runtime counts itself here while it lives.
  void ObjectCreated() { ++liveObjects_; }
  void ObjectDestroyed() { --liveObjects_; }
  std::size_t LiveObjects() const { return liveObjects_; }

  void AddEnvironment(SimCoreWebView2Environment* environment);
  void RemoveEnvironment(SimCoreWebView2Environment* environment);
  const std::vector<SimCoreWebView2Environment*>& Environments() const { return environments_; }

  void SetControllerFactory(std::shared_ptr<SimControllerFactory> factory) { factory_ = std::move(factory); }
  SimControllerFactory* ControllerFactory() const { return factory_.get(); }

  std::vector<SimEnvironmentRequest>& EnvironmentRequests() { return requests_; }
  // The parent window of every controller (or composition controller) request, in order.
  std::vector<HWND>& ControllerRequests() { return controllerRequests_; }

 private:
  platform::sim::SimPlatform& platform_;
  SimRuntimeOptions options_;
  std::int64_t nextToken_ = 0x100000001;
  std::map<std::string, HRESULT, std::less<>> callResults_;
  std::size_t liveObjects_ = 0;
  std::vector<SimCoreWebView2Environment*> environments_;
  std::shared_ptr<SimControllerFactory> factory_;
  std::vector<SimEnvironmentRequest> requests_;
  std::vector<HWND> controllerRequests_;
  std::vector<std::function<void()>> held_;
};

// Base of every object the simulated runtime creates: counts it alive in the
// shared context from construction to destruction.
class SimCountedObject {
 public:
  explicit SimCountedObject(std::shared_ptr<SimRuntimeContext> context) : context_(std::move(context)) {
    context_->ObjectCreated();
  }
  ~SimCountedObject() { context_->ObjectDestroyed(); }
  SimCountedObject(const SimCountedObject&) = delete;
  SimCountedObject& operator=(const SimCountedObject&) = delete;

  SimRuntimeContext& Context() const { return *context_; }
  const std::shared_ptr<SimRuntimeContext>& SharedContext() const { return context_; }

 private:
  std::shared_ptr<SimRuntimeContext> context_;
};

}  // namespace velmoran::runtime::sim
