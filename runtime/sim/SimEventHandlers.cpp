#include "runtime/sim/SimEventHandlers.h"

#include <string>

namespace velmoran::runtime::sim {

HRESULT SimEventHandlers::Add(std::string_view event, IUnknown* handler, EventRegistrationToken* token) {
  if (handler == nullptr || token == nullptr) return E_POINTER;
  if (const HRESULT scripted = context_.CallResult("add_" + std::string(event)); FAILED(scripted))
    return scripted;
  *token = context_.NextToken();
  handlers_.Add(event, *token, handler);
  context_.Observer().Subscribed(event);
  return S_OK;
}

HRESULT SimEventHandlers::Remove(std::string_view event, EventRegistrationToken token) {
  if (const HRESULT scripted = context_.CallResult("remove_" + std::string(event)); FAILED(scripted)) {
    return scripted;
  }
  if (handlers_.Remove(event, token)) context_.Observer().Unsubscribed(event);
  return S_OK;
}

}  // namespace velmoran::runtime::sim
