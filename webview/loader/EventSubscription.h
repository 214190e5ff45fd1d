#pragma once

// One event subscription of a wrapper, and its removal. A subscription is
// made only when the interface version carrying the add_ method is held and
// the event's token is still zero; a new sink aimed at the browser control is
// handed to the runtime, which keeps it (the wrapper keeps none) and fills in
// the token. Removal calls remove_ when it can and zeroes the token whatever
// the runtime answers.

#include "webview/abi/ComObject.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/ComTypes.h"

namespace velmoran::webview {

// `aSinkArguments` follow the target in the sink's construction (the id of an EventIdSink).
template <typename Sink, typename Interface, typename AddMethod, typename Events, typename... SinkArguments>
bool Subscribe(Interface* intf, AddMethod add, EventRegistrationToken& token, Events* aEvents,
               SinkArguments... aSinkArguments) {
  if (intf == nullptr || token.value != 0) return false;
  ComPtr<Sink> sink = MakeComObject<Sink>(aEvents, aSinkArguments...);
  if (SUCCEEDED((intf->*add)(sink.Get(), &token))) return true;
  // A refused subscription holds nothing to remove later, whatever the runtime wrote.
  token.value = 0;
  return false;
}

template <typename Interface, typename RemoveMethod>
void Unsubscribe(Interface* intf, RemoveMethod remove, EventRegistrationToken& token) {
  if (token.value != 0 && intf != nullptr) (intf->*remove)(token);
  token.value = 0;
}

}  // namespace velmoran::webview
