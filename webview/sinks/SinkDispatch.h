#pragma once

// The one path from a runtime callback into a target face. It is the COM
// boundary: nothing may be thrown back through it, so an exception from the
// target (in practice from an application handler behind it) is caught here,
// reported to the target, and the runtime is answered as if the call had
// returned normally.

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "base/Text.h"
#include "webview/abi/ComResults.h"
#include "webview/sinks/SinkLink.h"

namespace velmoran::webview {

namespace sink_dispatch_detail {

template <typename Face>
void Report(const SinkLink<Face>& link, std::u16string_view callbackName, const char* what) noexcept {
  try {
    // The handler that threw may have destroyed its own target before it threw.
    Face* target = link.Target();
    if (target == nullptr) return;
    const std::u16string description =
        what != nullptr ? Utf8ToUtf16(what) : std::u16string(u"unknown exception");
    target->HandleCallbackException(callbackName, description);
  } catch (...) {
    // The report itself failed: nothing is left to tell, and the runtime must still get its answer.
  }
}

}  // namespace sink_dispatch_detail

// Calls `call(target)` and answers what it answers; E_FAIL when the link has
// no live target; S_OK after an exception.
template <typename Face, typename Call>
HRESULT DispatchToTarget(const SinkLink<Face>& link, std::u16string_view callbackName, Call&& call) noexcept {
  Face* target = link.Target();
  if (target == nullptr) return E_FAIL;
  try {
    return std::forward<Call>(call)(*target);
  } catch (const std::exception& error) {
    sink_dispatch_detail::Report(link, callbackName, error.what());
  } catch (...) {
    sink_dispatch_detail::Report(link, callbackName, nullptr);
  }
  return S_OK;
}

}  // namespace velmoran::webview
