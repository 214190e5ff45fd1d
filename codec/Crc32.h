#pragma once

// The CRC-32 of PNG chunks and ZIP entries (polynomial 0xEDB88320, reflected,
// initial and final value 0xFFFFFFFF). Feeding a text in pieces, each call
// given the result of the one before, gives the CRC of the whole text.

#include <cstdint>
#include <string_view>

namespace velmoran::codec {

std::uint32_t Crc32(std::string_view bytes, std::uint32_t previous = 0);

}  // namespace velmoran::codec
