#include "bench/engine/EngineSession.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include "bench/engine/BenchPageScripts.h"
#include "bench/engine/TestPng.h"
#include "codec/Base64.h"

namespace velmoran::bench::engine {

namespace {

// 1024 x 512 RGB: a PNG of 1.5 MiB, whose data URL makes a capture message of about 2 MB.
constexpr std::uint32_t kPngWidth = 1024;
constexpr std::uint32_t kPngHeight = 512;
constexpr std::chrono::seconds kPageTimeout{90};

std::string ReadFile(const std::filesystem::path& path) {
  std::string bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char chunk[1 << 16];
    for (std::size_t read; (read = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, read);
    std::fclose(file);
  }
  return bytes;
}

// "engine-bench\2026-04-28" below the capture root, as Unix sees it.
std::filesystem::path UnixFolder(const std::filesystem::path& root, const std::string& windowsSubPath) {
  std::filesystem::path folder = root;
  std::size_t start = 0;
  while (start <= windowsSubPath.size()) {
    const std::size_t end = std::min(windowsSubPath.find('\\', start), windowsSubPath.size());
    if (end > start) folder /= windowsSubPath.substr(start, end - start);
    start = end + 1;
  }
  return folder;
}

// Asks the page until `expression` is true; the page may be between two documents meanwhile.
void WaitUntil(DevToolsPage& page, const std::string& expression, const std::string& what) {
  const Clock::time_point until = Clock::now() + kPageTimeout;
  for (;;) {
    try {
      if (page.Evaluate(expression, kPageTimeout) == "true") return;
    } catch (const std::runtime_error&) {
      if (Clock::now() > until) throw;
    }
    if (Clock::now() > until) throw std::runtime_error("timed out waiting for " + what);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
}

}  // namespace

EngineSession::EngineSession(const EngineOptions& options) {
  page_ = DevToolsPage::Attach(options.port, "/www/corvale2/", kPageTimeout);
  WaitUntil(*page_, PageReadyScript(), "the page to load with the shell's bridge");
  // The pose model loads once, with much work for the processor: not during a measurement.
  WaitUntil(*page_, PoseSettledScript(), "the page's pose model");
  // The overlay's pose detection runs on the processor (no graphics hardware)
  // and would compete with the road for the machine's two cores.
  if (!options.withCamera) page_->Evaluate(StopCameraScript(), kPageTimeout);

  png_ = MakeTestPng(kPngWidth, kPngHeight, 0x504E47u);
  page_->Evaluate(StoreImageScript("data:image/png;base64," + codec::EncodeBase64(png_)), kPageTimeout);
  const std::string prepared = page_->Evaluate(PrepareScript(), kPageTimeout);
  const std::string expected =
      "\"width\":" + std::to_string(kPngWidth) + ",\"height\":" + std::to_string(kPngHeight);
  if (prepared.find(expected) == std::string::npos)
    throw std::runtime_error("the page did not decode the PNG as expected: " + prepared);
  const std::string savePath = page_->EvaluateString("window.__velmoranBench.savePath", kPageTimeout);

  const std::string bound(page_->AnswerTo(
      page_->Send("Runtime.addBinding", "{\"name\":" + JsonQuoted(kTransferBinding) + "}"), kPageTimeout));
  if (bound.find("\"error\"") != std::string::npos) throw std::runtime_error("Runtime.addBinding: " + bound);

  captureFolder_ = UnixFolder(options.captureRoot, savePath);
  // Made before the shell makes it, so its files can be watched from the first capture on.
  std::filesystem::create_directories(captureFolder_);
  captures_ = std::make_unique<FolderWatch>(captureFolder_);
  shellFolder_ = std::make_unique<FolderWatch>(options.shellFolder);

  BuildMessage(100);
}

void EngineSession::BuildMessage(int index) {
  messageLength_ = std::stoul(page_->Evaluate(BuildMessageScript(index), kRoadTimeout));
}

void EngineSession::FinishCapture(int index) {
  const std::string found = page_->Evaluate(ReplyScript(index), kRoadTimeout);
  if (found != "1")
    throw std::runtime_error("the shell answered img_send_indx_done(" + std::to_string(index) + "," + found +
                             ")");
  const std::filesystem::path image = captureFolder_ / ImageName(index);
  if (ReadFile(image) != png_)
    throw std::runtime_error(image.string() + " differs from the PNG the page posted");
  std::filesystem::remove(image);
  std::filesystem::remove(captureFolder_ / (std::to_string(index) + ".json"));
}

}  // namespace velmoran::bench::engine
