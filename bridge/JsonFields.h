#pragma once

// Reading one key of a decoded page message, by the message protocol's
// conversion rules. Failures are raised as BridgeError with the text the
// page bridge logs.

#include <cstdint>
#include <string>
#include <string_view>

#include "codec/Json.h"

namespace velmoran::bridge {

// string: its content; number: as written; true/false: "true"/"false";
// null: empty. An object or array fails with
// "Conversion from TJSONObject to string is not supported" (TJSONArray alike);
// an absent key with "Value '<key>' not found".
std::u16string JsonGetString(const codec::JsonValue& object, std::u16string_view key);

// JsonGetString without the copy: the text as a view that lives as long as
// the value (and, for a value that borrows, the text it was decoded from).
std::u16string_view JsonGetText(const codec::JsonValue& object, std::u16string_view key);

// string or number: the whole text as a signed 32-bit integer (ParseIntegerText),
// else "'<text>' is not a valid integer value"; true/false: 1/0. Null, objects
// and arrays fail with "Conversion from TJSONNull to Integer is not supported"
// (TJSONObject, TJSONArray alike); an absent key as for JsonGetString.
std::int32_t JsonGetInt(const codec::JsonValue& object, std::u16string_view key);

// JsonGetString for a decoded object the caller owns: a string or number
// member's own text is moved out rather than copied (the member is left
// empty), so a megabyte image is not copied once more. A borrowed text is
// copied.
std::u16string JsonTakeString(codec::JsonValue& object, std::u16string_view key);

}  // namespace velmoran::bridge
