#pragma once

// A capture message of the page's real shape, built deterministically for
// the benchmarks: the page serialises an object holding a base64 PNG, pose
// landmarks and member information, posts that text as a string, and the
// browser hands over the string's JSON form, every '"' inside escaped.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace velmoran::bench {

// PNG sizes of the messages the benchmarks use. The "2 MB" message carries
// 2 Mi characters of base64 (a 1.5 MiB PNG); the "8 MB" one four times that
// text (a 6 MiB PNG), so their times compare at four times the input; the
// large one carries an 8 MiB PNG (5.3 times the input of the small one).
inline constexpr std::size_t kSmallPngBytes = 1536 * 1024;
inline constexpr std::size_t kFourTimesPngBytes = 4 * kSmallPngBytes;
inline constexpr std::size_t kLargePngBytes = 8 * 1024 * 1024;

struct BenchMessage {
  std::u16string text;      // the message as the browser hands it over (a JSON string literal)
  std::string textUtf8;     // the same message in UTF-8
  std::u16string image;     // the `image` field's content, data-URL prefix included
  std::string imageBase64;  // the base64 part of `image` alone, one byte per character
  std::string png;          // the bytes `image` decodes to
};

// The message carrying a pseudo-PNG of `pngBytes` bytes; built once per size.
const BenchMessage& CaptureMessage(std::size_t pngBytes);
// The text alone of a capture message with a pseudo-PNG of `pngBytes` bytes,
// callMode `callMode` and, after the page's ten keys, `extraMembers` (the
// JSON text of further members, each led by a comma). Not kept.
std::u16string CaptureMessageText(std::size_t pngBytes, std::u16string_view callMode,
                                  std::u16string_view extraMembers = {});
// The capture message of the size a benchmark runs with (its first argument).
const BenchMessage& MessageFor(const benchmark::State& state);

}  // namespace velmoran::bench
