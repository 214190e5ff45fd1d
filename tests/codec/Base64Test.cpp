// Lenient decoding of the page's base64 image texts, with the PNG data-URL
// prefix removed wherever it stands.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "base/Text.h"
#include "codec/Base64.h"

namespace velmoran::test {
namespace {

using codec::Base64DecodeCapacity;
using codec::DecodeBase64Lenient;
using codec::DecodePngBase64;
using codec::DecodePngBase64Into;

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Encode(std::string_view bytes) {
  std::string out;
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const auto b = [&](std::size_t k) {
      return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + k]));
    };
    const std::uint32_t v = b(0) << 16 | b(1) << 8 | b(2);
    for (int shift = 18; shift >= 0; shift -= 6) out += kAlphabet[(v >> shift) & 0x3F];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    std::uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[(v >> 18) & 0x3F];
    out += kAlphabet[(v >> 12) & 0x3F];
    out += rest == 2 ? kAlphabet[(v >> 6) & 0x3F] : '=';
    out += '=';
  }
  return out;
}

// The rules spelled out one character at a time: the model the fast decoder
// is checked against.
std::string ReferenceDecode(std::u16string_view text, bool removePrefix) {
  const std::u16string prefix = u"data:image/png;base64,";
  std::u16string kept;
  for (std::size_t i = 0; i < text.size();) {
    if (removePrefix && i + prefix.size() <= text.size() &&
        ToLowerAscii(text.substr(i, prefix.size())) == prefix) {
      i += prefix.size();
    } else {
      kept += text[i++];
    }
  }
  std::string out;
  std::uint32_t bits = 0;
  int count = 0;
  for (const char16_t c : kept) {
    const auto at = c < 128 ? kAlphabet.find(static_cast<char>(c)) : std::string_view::npos;
    if (at == std::string_view::npos) continue;
    bits = bits << 6 | static_cast<std::uint32_t>(at);
    if (++count == 4) {
      out += static_cast<char>(bits >> 16 & 0xFF);
      out += static_cast<char>(bits >> 8 & 0xFF);
      out += static_cast<char>(bits & 0xFF);
      bits = 0;
      count = 0;
    }
  }
  if (count >= 2) out += static_cast<char>(bits >> (count == 2 ? 4 : 10) & 0xFF);
  if (count == 3) out += static_cast<char>(bits >> 2 & 0xFF);
  return out;
}

// Deterministic bytes, the same on every run and platform.
std::string PseudoRandomBytes(std::size_t size, std::uint32_t seed) {
  std::string out(size, '\0');
  for (auto& byte : out) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<char>(seed >> 24);
  }
  return out;
}

struct Base64Case {
  const char16_t* text;
  const char* bytes;
  std::size_t size;
};

void PrintTo(const Base64Case& c, std::ostream* out) {
  *out << "base64 \"" << Utf16ToUtf8(c.text) << "\" of " << c.size << " bytes";
}

class PngBase64 : public testing::TestWithParam<Base64Case> {};

TEST_P(PngBase64, DecodesByTheLenientRules) {
  const std::string expected(GetParam().bytes, GetParam().size);
  EXPECT_EQ(DecodePngBase64(GetParam().text), expected) << Utf16ToUtf8(GetParam().text);
  EXPECT_EQ(codec::base64_detail::DecodePngBase64Portable(GetParam().text), expected)
      << Utf16ToUtf8(GetParam().text);
}

#define BYTES(literal) literal, sizeof(literal) - 1

INSTANTIATE_TEST_SUITE_P(
    Cases, PngBase64,
    testing::Values(
        Base64Case{u"", BYTES("")}, Base64Case{u"TWFu", BYTES("Man")}, Base64Case{u"TWE=", BYTES("Ma")},
        Base64Case{u"TWE", BYTES("Ma")}, Base64Case{u"TQ==", BYTES("M")}, Base64Case{u"TQ", BYTES("M")},
        Base64Case{u"T", BYTES("")}, Base64Case{u"TWFuT", BYTES("Man")}, Base64Case{u"====", BYTES("")},
        Base64Case{u"T=W=F=u", BYTES("Man")}, Base64Case{u" T W\r\nF\tu ", BYTES("Man")},
        Base64Case{u"data:image/png;base64,TWFu", BYTES("Man")},
        Base64Case{u"DATA:IMAGE/PNG;BASE64,TWFu", BYTES("Man")},
        Base64Case{u"DaTa:iMaGe/PnG;bAsE64,TWFu", BYTES("Man")},
        Base64Case{u"TWFudata:image/png;base64,TWFu", BYTES("ManMan")},
        Base64Case{u"data:image/png;base64,data:image/png;base64,TWFu", BYTES("Man")},
        Base64Case{u"data:image/png;base64,", BYTES("")},
        // Letters (and the '/') of a prefix that is not exactly the PNG one are data.
        Base64Case{u"data:image/png;base64",
                   BYTES("\x75\xab\x5a\x8a\x66\xa0\x7b\xfa\x67\x81\xb6\xac\x7b\xae")},
        Base64Case{u"ZGF0data:image/png;base64,YWRh", BYTES("datada")},
        // Padding is skipped like any other character: groups run on across it.
        Base64Case{u"ZGF0YQ==ZGF0YQ==", BYTES("data\x06\x46\x17\x46\x10")},
        // Occurrences are removed in one left-to-right pass; one that only forms
        // once an inner one is gone stays as data.
        Base64Case{u"data:imdata:image/png;base64,age/png;base64,",
                   BYTES("\x75\xab\x5a\x8a\x66\xa0\x7b\xfa\x67\x81\xb6\xac\x7b\xae")},
        // Non-ASCII units are skipped even when their low byte is a letter.
        Base64Case{u"T\u0157W\u0141F\uFF57u", BYTES("Man")}, Base64Case{u"TW\u4E2DFu", BYTES("Man")}));

TEST(PngBase64Prefix, JpegPrefixDecodesItsLettersAsData) {
  // "dataimage/jpegbase64" is twenty characters of the alphabet: five groups
  // of bytes that do not belong to the image come first.
  const std::string bytes = DecodePngBase64(u"data:image/jpeg;base64,TWFu");
  EXPECT_EQ(bytes, ReferenceDecode(u"dataimage/jpegbase64", false) + "Man");
  EXPECT_EQ(bytes.size(), 18u);
}

TEST(PngBase64Prefix, LineBreaksEverySeventySixCharactersGiveTheSameBytes) {
  const std::string png = "\x89PNG\r\n\x1a\n" + PseudoRandomBytes(5000, 7);
  const std::string encoded = Encode(png);
  std::string wrapped;
  for (std::size_t i = 0; i < encoded.size(); i += 76) wrapped += encoded.substr(i, 76) + "\r\n";
  EXPECT_EQ(DecodePngBase64(AsciiToUtf16("data:image/png;base64," + encoded)), png);
  EXPECT_EQ(DecodePngBase64(AsciiToUtf16("data:image/png;base64," + wrapped)), png);
  EXPECT_EQ(DecodeBase64Lenient(AsciiToUtf16(wrapped)), png);
}

// Every decoder of this build against the one-character-at-a-time rules:
// the vector one, the portable one, and the one that writes into a buffer
// of exactly the size it asks for (the sanitizers catch a store beyond it).
void ExpectAllDecodersFollowTheRules(std::u16string_view text, const std::string& context) {
  const std::string withPrefixRemoved = ReferenceDecode(text, true);
  const std::string lenient = ReferenceDecode(text, false);
  ASSERT_EQ(DecodePngBase64(text), withPrefixRemoved) << context;
  ASSERT_EQ(codec::base64_detail::DecodePngBase64Portable(text), withPrefixRemoved) << context;
  ASSERT_EQ(DecodeBase64Lenient(text), lenient) << context;
  ASSERT_EQ(codec::base64_detail::DecodeBase64LenientPortable(text), lenient) << context;
  const auto buffer = std::make_unique<char[]>(Base64DecodeCapacity(text.size()));
  const std::size_t size = DecodePngBase64Into(text, buffer.get());
  ASSERT_EQ(std::string(buffer.get(), size), withPrefixRemoved) << context;
}

// Long clean runs take fast paths that decode four or sixteen characters at
// a time; junk, padding, non-ASCII units and prefixes placed at every offset
// must give what the one-character-at-a-time rules give.
TEST(PngBase64Prefix, AgreesWithTheRulesWhereverOddCharactersStand) {
  const std::u16string base = AsciiToUtf16(Encode(PseudoRandomBytes(300, 11)));
  const std::u16string inserts[] = {u"=",
                                    u"\n",
                                    u"\u0141",
                                    u"data:image/png;base64,",
                                    u"DATA:IMAGE/PNG;BASE64,",
                                    u"data:image/png;base64",
                                    u"ata:image/png;base64,",
                                    u"data:image/gif;base64,"};
  for (const auto& insert : inserts) {
    for (std::size_t at = 0; at <= 40; ++at) {
      for (std::size_t second = at; second <= at + 30; second += 7) {
        std::u16string text = base;
        text.insert(base.size() - second, insert);
        text.insert(at, insert);
        ExpectAllDecodersFollowTheRules(text, Utf16ToUtf8(insert) + " at " + std::to_string(at));
      }
    }
  }
}

// Each alphabet character at each place of a sixteen-character block decodes
// to its own value, and a unit outside the alphabet is skipped wherever it
// stands, including units whose low byte, saturated or cut, would look like
// a letter.
TEST(PngBase64Prefix, EveryCharacterAtEveryPlaceOfABlock) {
  std::u16string clean;
  for (int round = 0; round < 3; ++round) {
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
      clean += static_cast<char16_t>(kAlphabet[(i * 7 + round) % 64]);
  }
  ExpectAllDecodersFollowTheRules(clean, "clean");
  const char16_t strangers[] = {0x0000, u'=',   u'-',   u'.',   u':',   u'@',   u'[',
                                u'`',   u'{',   0x007F, 0x0080, 0x00C1, 0x00FF, 0x0100,
                                0x0141, 0x2B2B, 0x7F41, 0x8041, 0xFF2F, 0xFFFF};
  for (const char16_t stranger : strangers) {
    for (std::size_t at = 0; at < 48; ++at) {
      std::u16string text = clean;
      text[at] = stranger;
      ExpectAllDecodersFollowTheRules(text, std::to_string(stranger) + " at " + std::to_string(at));
    }
  }
}

TEST(PngBase64Prefix, PlainDecoderKeepsThePrefixLetters) {
  EXPECT_EQ(DecodeBase64Lenient(u"data:image/png;base64,TWFu"),
            ReferenceDecode(u"dataimage/pngbase64TWFu", false));
}

TEST(EncodeBase64, PadsAndDecodesBackToTheSameBytes) {
  EXPECT_EQ(codec::EncodeBase64(""), "");
  EXPECT_EQ(codec::EncodeBase64("M"), "TQ==");
  EXPECT_EQ(codec::EncodeBase64("Ma"), "TWE=");
  EXPECT_EQ(codec::EncodeBase64("Man"), "TWFu");
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  const std::string text = codec::EncodeBase64(bytes);
  EXPECT_EQ(codec::DecodeBase64Lenient(std::u16string(text.begin(), text.end())), bytes);
}

}  // namespace
}  // namespace velmoran::test
