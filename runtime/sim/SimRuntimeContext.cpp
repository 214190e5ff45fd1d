#include "runtime/sim/SimRuntimeContext.h"

#include <algorithm>
#include <utility>

namespace velmoran::runtime::sim {

namespace {

std::shared_ptr<SimRuntimeContext>& Active() {
  static std::shared_ptr<SimRuntimeContext> active;
  return active;
}

}  // namespace

std::shared_ptr<SimRuntimeContext> ActiveSimRuntime() { return Active(); }

void SetActiveSimRuntime(std::shared_ptr<SimRuntimeContext> context) { Active() = std::move(context); }

SimRuntimeContext::SimRuntimeContext(platform::Platform& platform, std::shared_ptr<SimMessageQueue> queue,
                                     SimRuntimeConfig config)
    : platform_(platform), queue_(std::move(queue)), config_(std::move(config)) {}

void SimRuntimeContext::Post(std::function<void()> work) { queue_->Post(std::move(work)); }

SimRuntimeObserver& SimRuntimeContext::Observer() {
  static SimRuntimeObserver silent;
  return observer_ != nullptr ? *observer_ : silent;
}

void SimRuntimeContext::ReleaseHeld() {
  std::vector<std::function<void()>> released = std::move(held_);
  held_.clear();
  for (std::function<void()>& work : released) Post(std::move(work));
}

EventRegistrationToken SimRuntimeContext::NextToken() {
  EventRegistrationToken token{};
  token.value = nextToken_++;
  return token;
}

HRESULT SimRuntimeContext::CallResult(std::string_view method) const {
  auto it = callResults_.find(method);
  return it == callResults_.end() ? S_OK : it->second;
}

void SimRuntimeContext::SetCallResult(std::string method, HRESULT result) {
  callResults_[std::move(method)] = result;
}

void SimRuntimeContext::AddEnvironment(SimCoreWebView2Environment* environment) {
  environments_.push_back(environment);
}

void SimRuntimeContext::RemoveEnvironment(SimCoreWebView2Environment* environment) {
  environments_.erase(std::remove(environments_.begin(), environments_.end(), environment),
                      environments_.end());
}

void SimRuntimeContext::RemoveController(SimController* controller) {
  controllers_.erase(std::remove(controllers_.begin(), controllers_.end(), controller), controllers_.end());
}

}  // namespace velmoran::runtime::sim
