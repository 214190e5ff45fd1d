#pragma once

// The handlers subscribed to one runtime object's events, each under a 64-bit
// token. Raise calls the handlers of one event in the order they came, on a
// copy of the list: a handler may remove itself, or others, while it runs.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "webview/abi/ComPtr.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::runtime {

class EventHandlerList {
 public:
  // Under a token of the list's own, unique in the process.
  HRESULT Add(std::string_view event, IUnknown* handler, EventRegistrationToken* token) {
    if (handler == nullptr || token == nullptr) return E_POINTER;
    static std::atomic<std::int64_t> nextToken{1};
    token->value = nextToken++;
    Add(event, *token, handler);
    return S_OK;
  }
  // Under a token the caller chose.
  void Add(std::string_view event, EventRegistrationToken token, IUnknown* handler) {
    entries_.push_back({std::string(event), token.value, webview::ComPtr<IUnknown>(handler)});
  }

  // Removing a token that is not subscribed is harmless; answers whether one was.
  bool Remove(std::string_view event, EventRegistrationToken token) {
    const auto removed = std::remove_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
      return entry.event == event && entry.token == token.value;
    });
    const bool found = removed != entries_.end();
    entries_.erase(removed, entries_.end());
    return found;
  }

  template <typename Handler, typename... Arguments>
  void Raise(std::string_view event, Arguments... arguments) {
    std::vector<webview::ComPtr<IUnknown>> handlers;
    for (const Entry& entry : entries_) {
      if (entry.event == event) handlers.push_back(entry.handler);
    }
    for (const auto& handler : handlers) static_cast<Handler*>(handler.Get())->Invoke(arguments...);
  }

  std::size_t Count() const { return entries_.size(); }
  std::size_t Count(std::string_view event) const {
    return static_cast<std::size_t>(std::count_if(entries_.begin(), entries_.end(),
                                                  [&](const Entry& entry) { return entry.event == event; }));
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

}  // namespace velmoran::runtime
