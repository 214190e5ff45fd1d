#pragma once

// The state every object of the simulated runtime shares: the platform it runs
// on and the message queue it posts to, the test's config, the event tokens,
// scripted failures, the requests it received, the count of its live objects
// and the observer told of what happens. Objects hold it by shared reference,
// so a completion still waiting in the message queue when the test ends never
// reaches a destroyed runtime.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "runtime/sim/SimEnvironmentRequest.h"
#include "runtime/sim/SimMessageQueue.h"
#include "runtime/sim/SimRuntimeConfig.h"
#include "runtime/sim/SimRuntimeObserver.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::runtime::sim {

class SimController;
class SimControllerFactory;
class SimCoreWebView2Environment;
class SimCookieStore;

class SimRuntimeContext {
 public:
  SimRuntimeContext(platform::Platform& platform, std::shared_ptr<SimMessageQueue> queue,
                    SimRuntimeConfig config);
  SimRuntimeContext(const SimRuntimeContext&) = delete;
  SimRuntimeContext& operator=(const SimRuntimeContext&) = delete;

  platform::Platform& Platform() { return platform_; }
  platform::Com& Com() { return platform_.com(); }
  SimRuntimeConfig& Config() { return config_; }

  // Runs `work` from the host thread's message dispatch, never inside the
  // call that asked for it: the runtime's completions and events arrive this way.
  void Post(std::function<void()> work);
  SimMessageQueue& Queue() { return *queue_; }
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

  // Every live controller of the runtime, oldest first.
  void AddController(SimController* controller) { controllers_.push_back(controller); }
  void RemoveController(SimController* controller);
  const std::vector<SimController*>& Controllers() const { return controllers_; }

  // The observer is not owned; whoever installs it removes it before it goes.
  void SetObserver(SimRuntimeObserver* observer) { observer_ = observer; }
  SimRuntimeObserver& Observer();

  void SetControllerFactory(std::shared_ptr<SimControllerFactory> factory) { factory_ = std::move(factory); }
  SimControllerFactory* ControllerFactory() const { return factory_.get(); }

  std::vector<SimEnvironmentRequest>& EnvironmentRequests() { return requests_; }
  // The parent window of every controller (or composition controller) request, in order.
  std::vector<HWND>& ControllerRequests() { return controllerRequests_; }

  // The profiles' cookie stores, made at first use (CookieStoreOf in SimCookieStore.h).
  std::map<std::u16string, std::shared_ptr<SimCookieStore>>& CookieStores() { return cookieStores_; }

 private:
  platform::Platform& platform_;
  std::shared_ptr<SimMessageQueue> queue_;
  SimRuntimeConfig config_;
  std::int64_t nextToken_ = 0x100000001;
  std::map<std::string, HRESULT, std::less<>> callResults_;
  std::size_t liveObjects_ = 0;
  std::vector<SimCoreWebView2Environment*> environments_;
  std::vector<SimController*> controllers_;
  std::shared_ptr<SimControllerFactory> factory_;
  std::vector<SimEnvironmentRequest> requests_;
  std::vector<HWND> controllerRequests_;
  std::vector<std::function<void()>> held_;
  SimRuntimeObserver* observer_ = nullptr;
  std::map<std::u16string, std::shared_ptr<SimCookieStore>> cookieStores_;
};

// The runtime the loader exports answer for: they are plain functions, so
// only one runtime is active at a time. None until one is activated.
std::shared_ptr<SimRuntimeContext> ActiveSimRuntime();
void SetActiveSimRuntime(std::shared_ptr<SimRuntimeContext> context);

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
