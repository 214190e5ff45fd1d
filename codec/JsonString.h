#pragma once

// Writing a text as a JSON string literal, the way the browser's own JSON
// serialisation writes it: the quote and the backslash escaped, \b \f \n \r \t
// by their short escapes, every other control character as \u00xx, and
// everything else, surrogates included, as it is.

#include <string>
#include <string_view>

namespace velmoran::codec {

void AppendJsonStringLiteral(std::u16string_view text, std::u16string& out);
std::u16string JsonStringLiteral(std::u16string_view text);

}  // namespace velmoran::codec
