#pragma once

// The integer reading of a page message's texts: the whole text as one
// signed 32-bit number.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmoran::bridge {

// Accepts leading blanks, then an optional "+" or "-", then either decimal
// digits or hexadecimal digits after "$", "x", "X", "0x" or "0X". The signed
// value must lie in the 32-bit range (so "$FFFFFFFF" is refused, "-$80000000"
// accepted). Anything else, trailing blanks and the empty text included,
// gives no value.
std::optional<std::int32_t> ParseIntegerText(std::u16string_view text);

}  // namespace velmoran::bridge
