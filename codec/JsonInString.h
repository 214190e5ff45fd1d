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
// quotes, as written (escapes unresolved); otherwise none. Writes nothing.
std::optional<std::u16string_view> JsonStringLiteralBody(std::u16string_view text);

// What ParseJsonInString found.
enum class JsonStringContent {
  kNoString,  // ParseJson(text) gives no string
  kNotJson,   // a string whose content decodes to no value
  kDecoded,   // a string whose content decodes: the value is in `inner`
};

// When ParseJson(text) gives a string, decodes its content as a JSON text,
// with the verdict and the kept values of ParseJsonKeeping(content, keep).
// The literal and its content are checked in one reading. A kept string or
// number written without escapes at either level borrows from `text`; any
// other owns its text.
JsonStringContent ParseJsonInString(std::u16string_view text, JsonKeptMembers keep,
                                    std::optional<JsonValue>& inner);

}  // namespace velmoran::codec
