// Decoding one capture message: the JSON decode of the message and of the
// object text inside it, and the base64 decode of its image, each beside an
// established library doing the same work on the same message.
// Our decoders read UTF-16 (two bytes a character), the libraries 8-bit
// text, so compare the times per message; bytes per second count each
// one's own input.

#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <simdjson.h>

#include <array>
#include <stdexcept>
#include <string>

#include "bench/BenchMessage.h"
#include "codec/Base64.h"
#include "codec/Json.h"
#include "codec/JsonInString.h"

namespace velmoran::bench {
namespace {

void BM_JsonDecode(benchmark::State& state) {
  const BenchMessage& message = MessageFor(state);
  for (auto _ : state) {
    auto outer = codec::ParseJson(message.text);
    if (!outer || !outer->IsString()) throw std::runtime_error("outer message does not decode");
    auto inner = codec::ParseJson(outer->text());
    if (!inner || !inner->IsObject()) throw std::runtime_error("inner object does not decode");
    benchmark::DoNotOptimize(inner->Find(u"image"));
  }
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * message.text.size() * sizeof(char16_t)));
}

// As the page bridge decodes a capture message: the inner object straight
// from the message's string literal, keeping only the ten members it reads;
// the image is a view into the message.
void BM_JsonDecodeBridge(benchmark::State& state) {
  const BenchMessage& message = MessageFor(state);
  static constexpr std::array<std::u16string_view, 10> kCaptureKeys = {
      u"callMode", u"name",     u"index",        u"image",       u"length",
      u"SavePath", u"filename", u"jsonfilename", u"member_info", u"poseWorldLandmarks2"};
  for (auto _ : state) {
    std::optional<codec::JsonValue> inner;
    if (codec::ParseJsonInString(message.text, kCaptureKeys, inner) != codec::JsonStringContent::kDecoded ||
        !inner->IsObject()) {
      throw std::runtime_error("message does not decode");
    }
    benchmark::DoNotOptimize(inner->Find(u"image"));
  }
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * message.text.size() * sizeof(char16_t)));
}

void BM_JsonDecodeSimdjson(benchmark::State& state) {
  const BenchMessage& message = MessageFor(state);
  const simdjson::padded_string padded(message.textUtf8);
  simdjson::dom::parser outerParser;
  simdjson::dom::parser innerParser;
  for (auto _ : state) {
    std::string_view innerText;
    if (outerParser.parse(padded).get_string().get(innerText) != simdjson::SUCCESS) {
      throw std::runtime_error("outer message does not decode");
    }
    simdjson::dom::element inner;
    if (innerParser.parse(innerText).get(inner) != simdjson::SUCCESS || !inner.is_object()) {
      throw std::runtime_error("inner object does not decode");
    }
    benchmark::DoNotOptimize(inner["image"]);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * message.textUtf8.size()));
}

void BM_Base64Decode(benchmark::State& state) {
  const BenchMessage& message = MessageFor(state);
  if (codec::DecodePngBase64(message.image) != message.png) throw std::runtime_error("image does not decode");
  for (auto _ : state) {
    std::string png = codec::DecodePngBase64(message.image);
    benchmark::DoNotOptimize(png.data());
  }
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * message.image.size() * sizeof(char16_t)));
}

void BM_Base64DecodeOpenSSL(benchmark::State& state) {
  const BenchMessage& message = MessageFor(state);
  const auto* in = reinterpret_cast<const unsigned char*>(message.imageBase64.data());
  const int length = static_cast<int>(message.imageBase64.size());
  for (auto _ : state) {
    // Like ours, each decode allocates the buffer its bytes go to.
    std::string png(message.imageBase64.size() / 4 * 3, '\0');
    const int written = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(png.data()), in, length);
    benchmark::DoNotOptimize(written);
    benchmark::DoNotOptimize(png.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * message.imageBase64.size()));
}

void MessageSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(static_cast<std::int64_t>(kSmallPngBytes))->Arg(static_cast<std::int64_t>(kLargePngBytes));
  benchmark->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_JsonDecode)->Apply(MessageSizes);
BENCHMARK(BM_JsonDecodeBridge)->Apply(MessageSizes);
BENCHMARK(BM_JsonDecodeSimdjson)->Apply(MessageSizes);
BENCHMARK(BM_Base64Decode)->Apply(MessageSizes);
BENCHMARK(BM_Base64DecodeOpenSSL)->Apply(MessageSizes);

}  // namespace
}  // namespace velmoran::bench
