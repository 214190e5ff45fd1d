#pragma once

// A real PNG made for the benchmark: 8-bit RGB, a colour gradient under
// pseudo-random noise, its zlib stream in stored (uncompressed) deflate
// blocks. Any PNG decoder reads it; its size is exactly what the pixels
// make it, so a capture of a chosen size needs no encoder.

#include <cstdint>
#include <string>

namespace velmoran::bench::engine {

std::string MakeTestPng(std::uint32_t width, std::uint32_t height, std::uint32_t seed);

}  // namespace velmoran::bench::engine
