#pragma once

// The handlers subscribed to a simulated object's events, each under its own
// 64-bit token from the runtime context. add_ and remove_ of every event come
// here, with the failure the test scripted for "add_<Event>" or
// "remove_<Event>"; the object raises an event through Raise, which calls the
// handlers subscribed at that moment in the order they came.

#include <cstddef>
#include <string_view>

#include "runtime/common/EventHandlerList.h"
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

  // Calls Invoke(arguments...) on every handler of `event` (see EventHandlerList).
  template <typename Handler, typename... Arguments>
  void Raise(std::string_view event, Arguments... arguments) {
    handlers_.Raise<Handler>(event, arguments...);
  }

  std::size_t Count() const { return handlers_.Count(); }
  std::size_t Count(std::string_view event) const { return handlers_.Count(event); }
  // Drops every handler, as the runtime does when its object closes.
  void Clear() { handlers_.Clear(); }

 private:
  SimRuntimeContext& context_;
  EventHandlerList handlers_;
};

}  // namespace velmoran::runtime::sim
