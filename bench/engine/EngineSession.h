#pragma once

// The live shell the engine benchmarks measure: the demo page inside
// velmoran.exe under Wine, reached through the remote debugging port, and
// the prefix's folders where the shell writes. Prepared once for all the
// benchmarks of a run.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/engine/DevToolsPage.h"
#include "bench/engine/FolderWatch.h"

namespace velmoran::bench::engine {

struct EngineOptions {
  std::uint16_t port = 9999;
  std::filesystem::path captureRoot;  // C:\velmoran_pose\ as seen from Unix
  std::filesystem::path shellFolder;  // C:\velmoran\ as seen from Unix, where errlog.txt is
  bool withCamera = false;            // leaves the page's camera preview and pose overlay running
};

class EngineSession {
 public:
  // Attaches to the page, hands it the image and prepares it; throws when the page is not usable.
  explicit EngineSession(const EngineOptions& options);

  DevToolsPage& page() { return *page_; }
  const std::string& png() const { return png_; }
  std::size_t messageLength() const { return messageLength_; }

  // A fresh image number, so every capture writes files of its own.
  int NextIndex() { return nextIndex_++; }
  // Builds capture `index` in the page (not timed).
  void BuildMessage(int index);

  FolderWatch& captures() { return *captures_; }
  FolderWatch& shellFolder() { return *shellFolder_; }
  static std::string ImageName(int index) { return std::to_string(index) + ".png"; }
  static constexpr const char* kLogName = "errlog.txt";

  // After a capture's PNG is whole: the shell's answer reached the page and
  // said "found", and the file holds exactly the PNG. Then its files go, so
  // the prefix does not fill up. Throws when something is wrong.
  void FinishCapture(int index);

 private:
  std::unique_ptr<DevToolsPage> page_;
  std::string png_;
  std::size_t messageLength_ = 0;
  std::filesystem::path captureFolder_;
  std::unique_ptr<FolderWatch> captures_;
  std::unique_ptr<FolderWatch> shellFolder_;
  int nextIndex_ = 101;
};

using Clock = std::chrono::steady_clock;
inline constexpr std::chrono::seconds kRoadTimeout{60};

}  // namespace velmoran::bench::engine
