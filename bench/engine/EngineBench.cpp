// One capture of about 2 MB through the real engine: the demo page inside
// velmoran.exe under Wine, with the Chromium runtime, driven from outside
// through the remote debugging port (scripts/bench-engine.sh sets it all up).
//
// Every iteration is timed by hand from just before the benchmark sends its
// Runtime.evaluate to the moment named below. The start is the benchmark's
// clock, not the page's performance.now(): the end is seen here, and one
// clock for both ends needs no conversion between the browser's time and
// this process's. What that start adds, the command's way into the page, is
// the same in every benchmark below (BM_EmptyCommand measures it).
//
//  BM_PageToFile      the road: the page calls chrome.webview.postMessage with
//                     a capture message built by its own module; the end is
//                     the PNG under C:\velmoran_pose\ reaching its full size,
//                     seen through inotify. The shell writes the PNG last and
//                     answers the page only after it, so this is the first
//                     moment the capture is safely stored; the answer's own
//                     trip back to the page is no part of the road.
//  BM_PageToShell     the same road up to the shell's first act: the
//                     handler's first line in errlog.txt. What the road takes
//                     beyond it is the page bridge's decode and the files.
//  BM_BareTransfer    the same string through the protocol and nothing else:
//                     the page does what postMessage does (JSON.stringify,
//                     then a binding's call), with a binding the benchmark
//                     added through its own DevTools session in place of the
//                     runtime's, so Chromium carries the same text the same
//                     way as Runtime.bindingCalled, to the benchmark's socket
//                     instead of the runtime's pipe; the end is the event's
//                     last byte read. The road less this is what the runtime
//                     and the shell add.
//  BM_EvaluateReturn  the same JSON text returned as a Runtime.evaluate's
//                     value: another way through Chromium, for comparison.
//  BM_EmptyCommand    a Runtime.evaluate of 0: the constant every one of them holds.
//
// Between two iterations (not timed) the next message is built in the page,
// the shell's answer is awaited, the file is compared byte for byte with the
// PNG and removed.

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "bench/engine/BenchPageScripts.h"
#include "bench/engine/EngineSession.h"
#include "bench/engine/ShareReporter.h"

namespace velmoran::bench::engine {
namespace {

EngineSession* session = nullptr;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

void BM_PageToFile(benchmark::State& state) {
  try {
    for (auto _ : state) {
      const int index = session->NextIndex();
      session->BuildMessage(index);
      session->captures().Drain();
      const Clock::time_point start = Clock::now();
      const std::int64_t post = session->page().SendEvaluate(PostMessageScript());
      const bool stored = session->captures().WaitForSize(EngineSession::ImageName(index),
                                                          session->png().size(), kRoadTimeout);
      const Clock::time_point end = Clock::now();
      if (!stored)
        throw std::runtime_error("the PNG of capture " + std::to_string(index) + " never became whole");
      state.SetIterationTime(Seconds(end - start));
      EvaluatedValue(session->page().AnswerTo(post, kRoadTimeout));
      session->FinishCapture(index);
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * session->messageLength()));
}

void BM_PageToShell(benchmark::State& state) {
  try {
    for (auto _ : state) {
      const int index = session->NextIndex();
      session->BuildMessage(index);
      session->shellFolder().Drain();
      const Clock::time_point start = Clock::now();
      const std::int64_t post = session->page().SendEvaluate(PostMessageScript());
      const bool heard = session->shellFolder().WaitForWrite(EngineSession::kLogName, kRoadTimeout);
      const Clock::time_point end = Clock::now();
      if (!heard) throw std::runtime_error("the shell logged nothing for capture " + std::to_string(index));
      state.SetIterationTime(Seconds(end - start));
      EvaluatedValue(session->page().AnswerTo(post, kRoadTimeout));
      if (!session->captures().WaitForSize(EngineSession::ImageName(index), session->png().size(),
                                           kRoadTimeout))
        throw std::runtime_error("the PNG of capture " + std::to_string(index) + " never became whole");
      session->FinishCapture(index);
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * session->messageLength()));
}

// The text a bare transfer carried, unescaped once, is the JSON text
// postMessage hands to the binding; unescaped again, the message itself.
void CheckCarriedText(std::string_view json, std::size_t messageLength) {
  simdjson::dom::parser parser;
  std::string_view message;
  if (parser.parse(json).get(message) != simdjson::SUCCESS || message.find("\"callMode\":\"imgSave\"") != 1)
    throw std::runtime_error("the bare transfer carried something else than the capture message");
  // The message is ASCII but for the member's name and note (3 bytes per Hangul syllable in UTF-8).
  if (message.size() < messageLength) throw std::runtime_error("the bare transfer carried a shorter message");
}

void CheckBindingEvent(std::string_view event, std::size_t messageLength) {
  simdjson::dom::parser parser;
  simdjson::dom::element document;
  std::string_view name, payload;
  if (parser.parse(event.data(), event.size()).get(document) != simdjson::SUCCESS ||
      document["params"]["name"].get(name) != simdjson::SUCCESS || name != kTransferBinding ||
      document["params"]["payload"].get(payload) != simdjson::SUCCESS)
    throw std::runtime_error("not the benchmark's binding call: " + std::string(event.substr(0, 200)));
  CheckCarriedText(payload, messageLength);
}

void BM_BareTransfer(benchmark::State& state) {
  try {
    std::size_t eventSize = 0;
    for (auto _ : state) {
      session->BuildMessage(session->NextIndex());
      const Clock::time_point start = Clock::now();
      const std::int64_t id = session->page().SendEvaluate(TransferScript());
      const std::string_view event = session->page().NextEvent("Runtime.bindingCalled", kRoadTimeout);
      const Clock::time_point end = Clock::now();
      state.SetIterationTime(Seconds(end - start));
      // Checked whole once; after that the same size is the same text.
      if (eventSize == 0) CheckBindingEvent(event, session->messageLength());
      if (eventSize != 0 && event.size() != eventSize)
        throw std::runtime_error("the binding's event changed size");
      eventSize = event.size();
      EvaluatedValue(session->page().AnswerTo(id, kRoadTimeout));
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * session->messageLength()));
}

void BM_EvaluateReturn(benchmark::State& state) {
  try {
    std::size_t answerSize = 0;
    for (auto _ : state) {
      session->BuildMessage(session->NextIndex());
      const Clock::time_point start = Clock::now();
      const std::int64_t id = session->page().SendEvaluate(MessageJsonScript());
      const std::string_view answer = session->page().AnswerTo(id, kRoadTimeout);
      const Clock::time_point end = Clock::now();
      state.SetIterationTime(Seconds(end - start));
      if (answerSize == 0) {
        simdjson::dom::parser parser;
        std::string_view json;
        if (parser.parse(EvaluatedValue(answer)).get(json) != simdjson::SUCCESS)
          throw std::runtime_error("the evaluation returned no string");
        CheckCarriedText(json, session->messageLength());
      }
      if (answerSize != 0 && answer.size() != answerSize) throw std::runtime_error("the answer changed size");
      answerSize = answer.size();
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * session->messageLength()));
}

void BM_EmptyCommand(benchmark::State& state) {
  try {
    for (auto _ : state) {
      const Clock::time_point start = Clock::now();
      const std::string_view answer =
          session->page().AnswerTo(session->page().SendEvaluate("0"), kRoadTimeout);
      const Clock::time_point end = Clock::now();
      state.SetIterationTime(Seconds(end - start));
      benchmark::DoNotOptimize(answer.data());
    }
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

BENCHMARK(BM_PageToFile)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageToShell)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareTransfer)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateReturn)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyCommand)->UseManualTime()->Unit(benchmark::kMillisecond);

constexpr double kTargetShare = 0.10;

bool TakeOption(std::string_view argument, std::string_view name, std::string& value) {
  const std::string prefix = "--" + std::string(name) + "=";
  if (argument.substr(0, prefix.size()) != prefix) return false;
  value = std::string(argument.substr(prefix.size()));
  return true;
}

void Usage(const char* program) {
  std::cerr
      << "usage: " << program
      << " --capture_root=DIR --shell_folder=DIR [--port=9999] [--with_camera] [benchmark options]\n"
         "  DIR: C:\\velmoran_pose\\ and C:\\velmoran\\ of the running shell's Wine prefix, as Unix paths.\n"
         "  Run through scripts/bench-engine.sh, which starts the shell and ends it after.\n";
}

}  // namespace
}  // namespace velmoran::bench::engine

int main(int argc, char** argv) {
  using namespace velmoran::bench::engine;
  benchmark::Initialize(&argc, argv);
  EngineOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    std::string value;
    if (TakeOption(argument, "port", value)) {
      options.port = static_cast<std::uint16_t>(std::stoi(value));
    } else if (TakeOption(argument, "capture_root", value)) {
      options.captureRoot = value;
    } else if (TakeOption(argument, "shell_folder", value)) {
      options.shellFolder = value;
    } else if (argument == "--with_camera") {
      options.withCamera = true;
    } else {
      std::cerr << "unknown option " << argument << "\n";
      Usage(argv[0]);
      return 2;
    }
  }
  if (options.captureRoot.empty() || options.shellFolder.empty()) {
    Usage(argv[0]);
    return 2;
  }
  try {
    EngineSession engine(options);
    session = &engine;
    ShareReporter reporter(kTargetShare);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    session = nullptr;
  } catch (const std::exception& error) {
    std::cerr << "velmoran-engine-bench: " << error.what() << "\n";
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
