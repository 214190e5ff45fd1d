// One capture message end to end, beside the floor of the same work.
//
// BM_CaptureEndToEnd runs the page bridge's handler on the message as the
// browser hands it over: decode, capture directory, the three files and the
// log lines through the activity log, on the simulated Windows whose drive C:
// is a temporary folder. BM_CaptureFloor does only what no implementation can
// avoid: one copy of the message, the same decoded bytes and texts written to
// the same files, and the same log records appended, each with plain writes.
// The logw benchmarks time the activity log alone, for a short line and for
// the four-image check's line, which carries the whole message. Bytes per
// second count each benchmark's input in memory (UTF-16 for texts).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Text.h"
#include "bench/BenchMessage.h"
#include "bench/BenchShell.h"
#include "bridge/JsonFields.h"
#include "codec/Json.h"

namespace velmoran::bench {
namespace {

std::int64_t Utf16Bytes(const benchmark::State& state, std::size_t characters) {
  return static_cast<std::int64_t>(state.iterations()) *
         static_cast<std::int64_t>(characters * sizeof(char16_t));
}

void BM_CaptureEndToEnd(benchmark::State& state) {
  const BenchMessage& message = MessageFor(state);
  BenchShell shell;
  for (auto _ : state) {
    shell.bridge.WebMessageReceived(&message.text);
  }
  if (shell.replies != static_cast<std::size_t>(state.iterations()))
    throw std::runtime_error("the capture was not answered");
  if (!std::filesystem::exists(shell.CaptureFile("A01", "3.png"))) {
    throw std::runtime_error("the image was not written");
  }
  state.SetBytesProcessed(Utf16Bytes(state, message.text.size()));
}

void WriteWhole(const std::filesystem::path& path, const std::string& bytes, const char* mode) {
  std::FILE* file = std::fopen(path.c_str(), mode);
  if (file == nullptr) throw std::runtime_error("cannot open " + path.string());
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void BM_CaptureFloor(benchmark::State& state) {
  const BenchMessage& message = MessageFor(state);
  TempFolder folder;
  const std::filesystem::path directory = folder.path() / "C" / "velmoran_pose" / "A01";
  const std::filesystem::path logFile = folder.path() / "C" / "velmoran" / "errlog.txt";
  std::filesystem::create_directories(directory);
  std::filesystem::create_directories(logFile.parent_path());

  const auto outer = codec::ParseJson(message.text);
  const auto inner = codec::ParseJson(outer->text());
  const std::string memberInfo = Utf16ToUtf8(bridge::JsonGetString(*inner, u"member_info"));
  const std::string pose = Utf16ToUtf8(bridge::JsonGetString(*inner, u"poseWorldLandmarks2"));
  // The four records the handler logs for this message, already converted.
  const std::vector<std::string> records = {
      "04-28 9:5:07.045:::WebMessageReceived triggered\r\n",
      "04-28 9:5:07.045:::**** SavePath::C:\\velmoran_pose\\A01\\\r\n",
      "04-28 9:5:07.045:::JSON successfully parsed.::C:\\velmoran_pose\\A01\\\\3.png\r\n",
      "04-28 9:5:07.045::: \xC0\xCC\xB9\xCC\xC1\xF6 \xC6\xC4\xC0\xCF \xC1\xB8\xC0\xE7 \xBF\xCF\xB7\xE1"
      "-----------------------------\r\n"};

  std::u16string copy(message.text.size(), u'\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), message.text.data(), message.text.size() * sizeof(char16_t));
    benchmark::DoNotOptimize(copy.data());
    WriteWhole(logFile, records[0], "ab");
    WriteWhole(logFile, records[1], "ab");
    WriteWhole(directory / "user.txt", memberInfo, "wb");
    WriteWhole(directory / "3.json", pose, "wb");
    WriteWhole(directory / "3.png", message.png, "wb");
    WriteWhole(logFile, records[2], "ab");
    WriteWhole(logFile, records[3], "ab");
  }
  state.SetBytesProcessed(Utf16Bytes(state, message.text.size()));
}

void BM_LogwLine(benchmark::State& state) {
  BenchShell shell;
  const std::u16string line(100, u'x');
  for (auto _ : state) {
    shell.log.logw(line);
  }
  state.SetBytesProcessed(Utf16Bytes(state, line.size()));
}

void BM_LogwBigLine(benchmark::State& state) {
  const BenchMessage& message = CaptureMessage(kSmallPngBytes);
  BenchShell shell;
  const std::u16string line = u"***** [][0] Message received: [" + message.text + u"]";
  for (auto _ : state) {
    shell.log.logw(line);
    state.PauseTiming();
    shell.TrimLog();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(Utf16Bytes(state, line.size()));
}

void CaptureSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(kSmallPngBytes)->Arg(kFourTimesPngBytes)->Arg(kLargePngBytes)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_CaptureEndToEnd)->Apply(CaptureSizes);
BENCHMARK(BM_CaptureFloor)->Apply(CaptureSizes);
BENCHMARK(BM_LogwLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LogwBigLine)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmoran::bench
