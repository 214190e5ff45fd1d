#pragma once

// The handlers subscribed to a simulated object's events, each under its own
// 64-bit token from the runtime context. add_ and remove_ of every event come
// here, with the failure the test scripted for "add_<Event>" or
// "remove_<Event>"; the object raises an event through Raise, which calls the
// handlers subscribed at that moment in the order they came.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/sim/SimRuntimeContext.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::runtime::sim {

class SimEventHandlers {
 public:
  explicit SimEventHandlers(SimRuntimeContext& context) : context_(context) {}
  SimEventHandlers(const SimEventHandlers&) = delete;
  SimEventHandlers& operator=(const SimEventHandlers&) = delete;

  HRESULT Add(std::string_view event, IUnknown* handler, EventRegistrationToken* token);
  HRESULT Remove(std::string_view event, EventRegistrationToken token);

  // Calls Invoke(arguments...) on every handler of `event`. The list is copied
  // first: a handler may remove itself, or others, while it runs.
  template <typename Handler, typename... Arguments>
  void Raise(std::string_view event, Arguments... arguments) {
    std::vector<webview::ComPtr<IUnknown>> handlers;
    for (const Entry& entry : entries_) {
      if (entry.event == event) handlers.push_back(entry.handler);
    }
    for (const auto& handler : handlers) static_cast<Handler*>(handler.Get())->Invoke(arguments...);
  }

  std::size_t Count() const { return entries_.size(); }
  std::size_t Count(std::string_view event) const;
  // Drops every handler, as the runtime does when its object closes.
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    std::string event;
    std::int64_t token = 0;
    webview::ComPtr<IUnknown> handler;
  };

  SimRuntimeContext& context_;
  std::vector<Entry> entries_;
};

}  // namespace velmoran::runtime::sim
