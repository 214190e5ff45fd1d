#pragma once

// Deflate compression for the files the crash report writes (the PNG
// screenshot's zlib stream, ZIP entries): one final block of the fixed
// Huffman codes over matches found by a hash-chain LZ77 search. A picture of
// flat window areas shrinks to a few per cent of its size, which is what a
// report needs; no dynamic Huffman tables, so text compresses less well than
// with zlib's best levels.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmoran::codec {

// The raw deflate data (RFC 1951), as a ZIP entry holds it.
std::string DeflateRaw(std::string_view bytes);

// A zlib stream (RFC 1950): header, the deflate data, the Adler-32 of `bytes`.
std::string ZlibCompress(std::string_view bytes);

// The Adler-32 checksum; fed in pieces, each call given the result of the
// one before, it gives the checksum of the whole.
std::uint32_t Adler32(std::string_view bytes, std::uint32_t previous = 1);

}  // namespace velmoran::codec
