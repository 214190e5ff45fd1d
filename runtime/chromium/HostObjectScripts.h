#pragma once

// Host objects in the page: `chrome.webview.hostObjects.<name>.<method>(...)`
// returns a promise; the call reaches the runtime through a binding as one
// JSON text, the runtime calls the host object and settles the promise with
// the method's value or rejects it with the failure's words.
// `chrome.webview.hostObjects.sync.<name>` exists but refuses every call:
// a page cannot be held while the host answers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "webview/abi/AutomationValue.h"

namespace velmoran::runtime::chromium {

// The function Chromium exposes to the page for its host object calls (Runtime.addBinding); the
// bootstrap script takes it away from the page's global object like the others.
inline constexpr char kHostObjectBinding[] = "__velmoranHostObject";

// Statements for the bootstrap script, run where `w` is the window, `webview` the page's
// chrome.webview and the binding still on `w`: they add `webview.hostObjects`.
std::string HostObjectsPageScript();

// One call the page made.
struct HostObjectRequest {
  std::int64_t id = 0;
  std::u16string name;
  std::u16string method;
  std::vector<webview::AutomationValue> arguments;
  // Why the call cannot be made, when an argument has no host form (an object, an array): the page's
  // promise is rejected with it.
  std::u16string refusal;
};

// The call in the binding's payload; none, with the reason in `why`, for a payload that is not one.
std::optional<HostObjectRequest> ParseHostObjectRequest(std::u16string_view payload, std::string& why);

// Settles the page's call `id` with `result`: its value, or a rejection with its message and code.
std::string HostObjectAnswerExpression(std::int64_t id, const webview::DispatchCallResult& result);

}  // namespace velmoran::runtime::chromium
