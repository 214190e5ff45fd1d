#include "codec/Deflate.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace velmoran::codec {
namespace {

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kWindow = 32768;
constexpr int kHashBits = 15;
constexpr std::size_t kHashSize = std::size_t{1} << kHashBits;
// Longer chains find little more in window pictures and cost time on text.
constexpr int kMaxChain = 48;
constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Bits go out least significant first; Huffman codes are defined most
// significant bit first, so they are reversed on the way in.
class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}

  void Bits(std::uint32_t value, int count) {
    buffer_ |= static_cast<std::uint64_t>(value) << filled_;
    filled_ += count;
    while (filled_ >= 8) {
      out_.push_back(static_cast<char>(buffer_ & 0xFF));
      buffer_ >>= 8;
      filled_ -= 8;
    }
  }

  void Code(std::uint32_t code, int length) {
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    Bits(reversed, length);
  }

  void Flush() {
    if (filled_ > 0) out_.push_back(static_cast<char>(buffer_ & 0xFF));
    buffer_ = 0;
    filled_ = 0;
  }

 private:
  std::string& out_;
  std::uint64_t buffer_ = 0;
  int filled_ = 0;
};

// The fixed literal/length code of RFC 1951, 3.2.6.
void FixedSymbol(BitWriter& bits, std::uint32_t symbol) {
  if (symbol < 144) {
    bits.Code(0x30 + symbol, 8);
  } else if (symbol < 256) {
    bits.Code(0x190 + symbol - 144, 9);
  } else if (symbol < 280) {
    bits.Code(symbol - 256, 7);
  } else {
    bits.Code(0xC0 + symbol - 280, 8);
  }
}

void Match(BitWriter& bits, std::size_t length, std::size_t distance) {
  std::size_t code = kLengthBase.size() - 1;
  while (kLengthBase[code] > length) --code;
  FixedSymbol(bits, static_cast<std::uint32_t>(257 + code));
  bits.Bits(static_cast<std::uint32_t>(length - kLengthBase[code]), kLengthExtra[code]);
  std::size_t dcode = kDistanceBase.size() - 1;
  while (kDistanceBase[dcode] > distance) --dcode;
  bits.Code(static_cast<std::uint32_t>(dcode), 5);
  bits.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[dcode]), kDistanceExtra[dcode]);
}

std::uint32_t Hash3(const unsigned char* p) {
  const std::uint32_t v = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
  return (v * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

std::string DeflateRaw(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 8 + 64);
  BitWriter bits(out);
  bits.Bits(1, 1);  // the final block
  bits.Bits(1, 2);  // fixed Huffman codes

  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::vector<std::size_t> head(kHashSize, kNoPosition);
  std::vector<std::size_t> previous(kWindow, kNoPosition);
  auto insert = [&](std::size_t at) {
    if (at + kMinMatch > size) return;
    const std::uint32_t h = Hash3(data + at);
    previous[at % kWindow] = head[h];
    head[h] = at;
  };

  std::size_t at = 0;
  while (at < size) {
    std::size_t bestLength = 0;
    std::size_t bestDistance = 0;
    if (at + kMinMatch <= size) {
      const std::size_t limit = std::min(kMaxMatch, size - at);
      std::size_t candidate = head[Hash3(data + at)];
      for (int chain = 0; chain < kMaxChain && candidate != kNoPosition && at - candidate <= kWindow;
           ++chain) {
        if (data[candidate + bestLength] == data[at + bestLength] || bestLength == 0) {
          std::size_t length = 0;
          while (length < limit && data[candidate + length] == data[at + length]) ++length;
          if (length > bestLength) {
            bestLength = length;
            bestDistance = at - candidate;
            if (length == limit) break;
          }
        }
        const std::size_t next = previous[candidate % kWindow];
        // A slot reused by a newer position no longer leads further back.
        if (next == kNoPosition || next >= candidate) break;
        candidate = next;
      }
    }
    if (bestLength >= kMinMatch) {
      Match(bits, bestLength, bestDistance);
      for (std::size_t i = 0; i < bestLength; ++i) insert(at + i);
      at += bestLength;
    } else {
      FixedSymbol(bits, data[at]);
      insert(at);
      ++at;
    }
  }
  FixedSymbol(bits, 256);  // end of block
  bits.Flush();
  return out;
}

std::string ZlibCompress(std::string_view bytes) {
  // CMF 0x78: deflate with a 32 KiB window; FLG 0x01 makes CMF*256+FLG a
  // multiple of 31 and says "fastest compression", which fixed codes are.
  std::string out("\x78\x01", 2);
  out += DeflateRaw(bytes);
  const std::uint32_t adler = Adler32(bytes);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((adler >> shift) & 0xFF));
  return out;
}

std::uint32_t Adler32(std::string_view bytes, std::uint32_t previous) {
  constexpr std::uint32_t kModulus = 65521;
  // 5552 bytes is the most that can be summed before the 32-bit sums could overflow.
  constexpr std::size_t kRun = 5552;
  std::uint32_t a = previous & 0xFFFF;
  std::uint32_t b = previous >> 16;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  while (left > 0) {
    const std::size_t run = std::min(left, kRun);
    for (std::size_t i = 0; i < run; ++i) {
      a += p[i];
      b += a;
    }
    a %= kModulus;
    b %= kModulus;
    p += run;
    left -= run;
  }
  return (b << 16) | a;
}

}  // namespace velmoran::codec
