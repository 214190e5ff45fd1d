#pragma once

// Writes what the host asks of the simulated runtime into a list of event
// names, in order, so a test can assert the order of subscriptions and of
// the teardown instead of counting them. It watches the runtime's context
// from its construction to its destruction.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/sim/SimRuntimeContext.h"
#include "runtime/sim/SimRuntimeObserver.h"

namespace velmoran::test {

class RuntimeEventRecorder final : public runtime::sim::SimRuntimeObserver {
 public:
  // Entries: "subscribe <event>", "unsubscribe <event>", "close controller, <n> left".
  RuntimeEventRecorder(runtime::sim::SimRuntimeContext& context, std::vector<std::string>& events)
      : context_(context), events_(events) {
    context_.SetObserver(this);
  }
  ~RuntimeEventRecorder() override { context_.SetObserver(nullptr); }
  RuntimeEventRecorder(const RuntimeEventRecorder&) = delete;
  RuntimeEventRecorder& operator=(const RuntimeEventRecorder&) = delete;

  static constexpr std::string_view kSubscribe = "subscribe ";

  void Subscribed(std::string_view event) override { events_.push_back(std::string(kSubscribe) += event); }
  void Unsubscribed(std::string_view event) override {
    events_.push_back("unsubscribe " + std::string(event));
  }
  void ControllerClosed(std::size_t subscriptionsLeft) override {
    events_.push_back("close controller, " + std::to_string(subscriptionsLeft) + " left");
  }

 private:
  runtime::sim::SimRuntimeContext& context_;
  std::vector<std::string>& events_;
};

// The event names of the subscriptions among `events`, in order.
inline std::vector<std::string> SubscribedEvents(const std::vector<std::string>& events) {
  std::vector<std::string> subscribed;
  for (const std::string& event : events) {
    if (event.starts_with(RuntimeEventRecorder::kSubscribe))
      subscribed.push_back(event.substr(RuntimeEventRecorder::kSubscribe.size()));
  }
  return subscribed;
}

}  // namespace velmoran::test
