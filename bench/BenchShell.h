#pragma once

// The shell around the page bridge for the benchmarks: the real activity log
// and log view on the simulated Windows, whose drive C: is a temporary host
// folder (so written files live on the host's disk, never in our heap);
// replies are only counted.

#include <cstddef>
#include <filesystem>
#include <span>
#include <string_view>

#include "app/ActivityLog.h"
#include "app/LogView.h"
#include "bridge/PageBridge.h"
#include "platform/sim/SimPlatform.h"

namespace velmoran::bench {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class BenchShell final : public bridge::PageBridgeHost {
 public:
  BenchShell();
  void logw(std::u16string_view text) override { log.logw(text); }
  void logwParts(std::span<const std::u16string_view> parts) override { log.logw(parts); }
  void ExecuteScript(std::u16string_view) override { ++replies; }
  void ToggleFullScreen() override {}

  // Keeps the log file and the view from growing without end across iterations.
  void TrimLog();
  std::filesystem::path LogFile() const;
  std::filesystem::path CaptureFile(std::string_view saveFolder, std::string_view name) const;

  TempFolder folder;
  platform::sim::SimPlatform platform;
  app::LogView view;
  app::ActivityLog log;
  bridge::PageBridge bridge;
  std::size_t replies = 0;
};

}  // namespace velmoran::bench
