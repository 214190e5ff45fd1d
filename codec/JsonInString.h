#pragma once

// Decoding a JSON text that arrives as the content of a JSON string: the
// page posts its capture object serialised, so the browser hands over a
// string literal whose content, once its escapes are resolved, is the
// object's JSON text. That content is decoded here straight from the
// literal as written, escapes resolved on the way, so its megabytes are
// never written out: a member written without escapes at either level (the
// capture's base64 image) is a view into the literal itself.

#include <optional>
#include <string_view>

#include "codec/Json.h"

namespace velmoran::codec {

// When ParseJson(text) gives a string, what its literal holds between the
// quotes, as written (escapes unresolved); otherwise none. Reads the literal
// once and writes nothing.
std::optional<std::u16string_view> JsonStringLiteralBody(std::u16string_view text);

// What ParseJsonKeeping(content, keep, JsonTexts::kBorrowed) gives for the
// content that `body`, a body JsonStringLiteralBody gave, stands for: the
// same verdict and the same kept values. A kept string or number written
// without escapes at either level borrows from `body`; any other owns its
// text.
std::optional<JsonValue> ParseJsonInString(std::u16string_view body, JsonKeptMembers keep);

}  // namespace velmoran::codec
