#pragma once

// The DevTools protocol speaks UTF-8; the runtime reads its messages as the
// bridge's JSON values, whose texts are UTF-16. Decoding straight from UTF-8
// writes each string once: widening the whole message first and decoding the
// wide text after would write a page message's megabytes twice, and read
// them three times.

#include <optional>
#include <string_view>

#include "bridge/Json.h"

namespace velmoran::runtime::chromium {

// The value bridge::ParseJson(Utf8ToUtf16(text)) gives, texts copied: the
// same grammar, nesting limit and rule on white space after a value, and
// invalid UTF-8 inside strings read as Utf8ToUtf16 reads it.
std::optional<bridge::JsonValue> ParseUtf8Json(std::string_view text);

}  // namespace velmoran::runtime::chromium
