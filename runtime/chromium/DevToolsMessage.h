#pragma once

// One message of the DevTools protocol, in both directions. Outgoing
// commands are written as {"id":N,"method":M,"sessionId":S,"params":{...}};
// incoming texts are either the response to a command (its "id" with a
// "result" or an "error") or an event ("method" and "params"), each possibly
// tagged with the "sessionId" of the target it concerns.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codec/Json.h"

namespace velmoran::runtime::chromium {

// The command's text. `paramsJson` is a JSON object's text; empty means none.
std::string BuildCommand(std::int64_t id, std::string_view method, std::string_view sessionId,
                         std::string_view paramsJson);

struct DevToolsMessage {
  enum class Kind { kResponse, kEvent };

  Kind kind = Kind::kEvent;
  std::int64_t id = 0;       // responses
  std::u16string method;     // events
  std::u16string sessionId;  // empty for the browser's own session
  codec::JsonValue body;     // a response's "result" or an event's "params" (an object, maybe empty)
  std::optional<std::u16string> error;  // a response's error message, when the command failed
};

// Reads one UTF-8 message; none when it is not JSON or is neither shape.
std::optional<DevToolsMessage> ParseDevToolsMessage(std::string_view utf8);

// Reading helpers for the members of a message body; a missing member or
// one of another type reads as empty, zero or false.
std::u16string_view TextMember(const codec::JsonValue& object, std::u16string_view key);
std::int64_t IntegerMember(const codec::JsonValue& object, std::u16string_view key);
bool BoolMember(const codec::JsonValue& object, std::u16string_view key);
const codec::JsonValue* ObjectMember(const codec::JsonValue& object, std::u16string_view key);
// Moves a string member's text out of `object` (none when the member is
// missing or no string), leaving it empty.
std::optional<std::u16string> TakeTextMember(codec::JsonValue& object, std::u16string_view key);

}  // namespace velmoran::runtime::chromium
