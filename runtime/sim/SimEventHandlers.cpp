#include "runtime/sim/SimEventHandlers.h"

#include <algorithm>

namespace velmoran::runtime::sim {

HRESULT SimEventHandlers::Add(std::string_view event, IUnknown* handler, EventRegistrationToken* token) {
  if (handler == nullptr || token == nullptr) return E_POINTER;
  if (const HRESULT scripted = context_.CallResult("add_" + std::string(event)); FAILED(scripted))
    return scripted;
  *token = context_.NextToken();
  entries_.push_back({std::string(event), token->value, webview::ComPtr<IUnknown>(handler)});
  context_.Observer().Subscribed(event);
  return S_OK;
}

HRESULT SimEventHandlers::Remove(std::string_view event, EventRegistrationToken token) {
  if (const HRESULT scripted = context_.CallResult("remove_" + std::string(event)); FAILED(scripted)) {
    return scripted;
  }
  const auto removed =
      std::remove_if(entries_.begin(), entries_.end(),
                     [&](const Entry& entry) { return entry.event == event && entry.token == token.value; });
  if (removed != entries_.end()) context_.Observer().Unsubscribed(event);
  entries_.erase(removed, entries_.end());
  return S_OK;
}

std::size_t SimEventHandlers::Count(std::string_view event) const {
  return static_cast<std::size_t>(std::count_if(entries_.begin(), entries_.end(),
                                                [&](const Entry& entry) { return entry.event == event; }));
}

}  // namespace velmoran::runtime::sim
