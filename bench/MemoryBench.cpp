// Peak heap use while the page bridge handles one message, as a multiple of
// the message's own size in UTF-16.
//
// The shell is the benchmarks' BenchShell: the real page bridge, capture
// store, activity log and log view, on the simulated Windows whose drive C:
// is a host folder, so the files written (errlog.txt and the captures) are
// on the host's disk and take nothing from the heap counted here. The
// message text itself is the caller's (the browser's) and is held before the
// count starts: the figure is what the handler adds on top of it, the log
// view's lines kept after the message included. Counted by this program's
// own operator new and delete (bench/CountingHeap.cpp), so a figure is the
// same on every run; each case runs once. BM_HeldAfterFortyChecks reports
// instead what stays held after a row of messages: the log view's lines.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "bench/BenchMessage.h"
#include "bench/BenchShell.h"
#include "bench/CountingHeap.h"

namespace velmoran::bench {
namespace {

constexpr std::size_t kMiB = 1024 * 1024;
// The small-values messages come to about this many bytes of UTF-16.
constexpr std::size_t kSmallValuesBytes = 10 * kMiB;

// `head`, then `piece` repeated (with `separator` between) until the text
// holds `units` code units, then `tail`.
std::u16string Repeated(std::u16string_view head, std::u16string_view piece, std::u16string_view separator,
                        std::size_t units, std::u16string_view tail) {
  std::u16string out(head);
  out.reserve(units + piece.size() + tail.size());
  while (out.size() < units) {
    if (out.size() > head.size()) out.append(separator);
    out.append(piece);
  }
  out.append(tail);
  return out;
}

void Measure(benchmark::State& state, const std::function<std::u16string()>& makeMessage,
             std::size_t expectedReplies) {
  BenchShell shell;
  const std::u16string message = makeMessage();
  std::size_t peak = 0;
  for (auto _ : state) {
    const std::size_t before = counting_heap::Live();
    counting_heap::ResetPeak();
    shell.bridge.WebMessageReceived(&message);
    peak = counting_heap::Peak() - before;
  }
  if (shell.replies != expectedReplies * static_cast<std::size_t>(state.iterations()))
    throw std::runtime_error("the message was not answered as expected");
  const double messageBytes = static_cast<double>(message.size() * sizeof(char16_t));
  state.counters["message_MB"] = messageBytes / kMiB;
  state.counters["peak_MB"] = static_cast<double>(peak) / kMiB;
  state.counters["peak_per_message"] = static_cast<double>(peak) / messageBytes;
}

// An "imgSave" capture of a pseudo-PNG of range(0) bytes: three files written.
void BM_PeakCapture(benchmark::State& state) {
  const auto pngBytes = static_cast<std::size_t>(state.range(0));
  Measure(
      state, [&] { return CaptureMessageText(pngBytes, u"imgSave"); }, 1);
}

// The same message as "sendAllDataCall": the four-image check, which logs the
// whole message as one line.
void BM_PeakCheckAll(benchmark::State& state) {
  const auto pngBytes = static_cast<std::size_t>(state.range(0));
  Measure(
      state, [&] { return CaptureMessageText(pngBytes, u"sendAllDataCall"); }, 2);
}

// About 10 MB of small values: the whole message an array of zeros.
void BM_PeakSmallValuesArray(benchmark::State& state) {
  Measure(
      state, [] { return Repeated(u"[", u"0", u",", kSmallValuesBytes / 2, u"]"); }, 0);
}

// An "imgSave" capture of a small image whose inner object also holds an
// array of about 10 MB of zeros.
void BM_PeakSmallValuesInCapture(benchmark::State& state) {
  Measure(
      state,
      [] {
        return CaptureMessageText(1024, u"imgSave",
                                  Repeated(u",\"values\":[", u"0", u",", kSmallValuesBytes / 2, u"]"));
      },
      1);
}

// The same with the inner object holding about 10 MB of members of its own,
// empty strings all of the same name.
void BM_PeakSmallMembersInCapture(benchmark::State& state) {
  Measure(
      state,
      [] {
        return CaptureMessageText(1024, u"imgSave",
                                  Repeated(u",", u"\"v\":\"\"", u",", kSmallValuesBytes / 4, {}));
      },
      1);
}

// What the log keeps after forty four-image checks of range(0)-byte images
// in a row: each one logs its whole message as one line of the log view.
void BM_HeldAfterFortyChecks(benchmark::State& state) {
  constexpr int kChecks = 40;
  BenchShell shell;
  const std::u16string message =
      CaptureMessageText(static_cast<std::size_t>(state.range(0)), u"sendAllDataCall");
  std::size_t held = 0;
  for (auto _ : state) {
    const std::size_t before = counting_heap::Live();
    for (int i = 0; i < kChecks; ++i) shell.bridge.WebMessageReceived(&message);
    held = counting_heap::Live() - before;
  }
  const double messageBytes = static_cast<double>(message.size() * sizeof(char16_t));
  state.counters["message_MB"] = messageBytes / kMiB;
  state.counters["held_MB"] = static_cast<double>(held) / kMiB;
  state.counters["view_lines"] = static_cast<double>(shell.view.LineCount());
}

void Once(benchmark::internal::Benchmark* benchmark) {
  benchmark->Iterations(1)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_PeakCapture)
    ->Arg(static_cast<std::int64_t>(kSmallPngBytes))
    ->Arg(static_cast<std::int64_t>(kLargePngBytes))
    ->Arg(static_cast<std::int64_t>(50 * kMiB))
    ->Apply(Once);
BENCHMARK(BM_PeakCheckAll)->Arg(static_cast<std::int64_t>(50 * kMiB))->Apply(Once);
BENCHMARK(BM_HeldAfterFortyChecks)->Arg(static_cast<std::int64_t>(5 * kMiB))->Apply(Once);
BENCHMARK(BM_PeakSmallValuesArray)->Apply(Once);
BENCHMARK(BM_PeakSmallValuesInCapture)->Apply(Once);
BENCHMARK(BM_PeakSmallMembersInCapture)->Apply(Once);

}  // namespace
}  // namespace velmoran::bench
