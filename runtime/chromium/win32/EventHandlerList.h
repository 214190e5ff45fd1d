#pragma once

// The handlers subscribed to one object's events, each under a 64-bit token
// unique in the process. Raise calls the handlers of one event in the order
// they came, on a copy of the list: a handler may remove itself while it runs.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "webview/abi/ComPtr.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::runtime::chromium {

class EventHandlerList {
 public:
  HRESULT Add(std::string_view event, IUnknown* handler, EventRegistrationToken* token) {
    if (handler == nullptr || token == nullptr) return E_POINTER;
    static std::atomic<std::int64_t> nextToken{1};
    token->value = nextToken++;
    entries_.push_back({std::string(event), token->value, webview::ComPtr<IUnknown>(handler)});
    return S_OK;
  }

  // Removing a token that is not subscribed is harmless.
  HRESULT Remove(std::string_view event, EventRegistrationToken token) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->event == event && it->token == token.value) {
        entries_.erase(it);
        break;
      }
    }
    return S_OK;
  }

  template <typename Handler, typename... Arguments>
  void Raise(std::string_view event, Arguments... arguments) {
    std::vector<webview::ComPtr<IUnknown>> handlers;
    for (const Entry& entry : entries_) {
      if (entry.event == event) handlers.push_back(entry.handler);
    }
    for (const auto& handler : handlers) static_cast<Handler*>(handler.Get())->Invoke(arguments...);
  }

  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    std::string event;
    std::int64_t token = 0;
    webview::ComPtr<IUnknown> handler;
  };
  std::vector<Entry> entries_;
};

}  // namespace velmoran::runtime::chromium
