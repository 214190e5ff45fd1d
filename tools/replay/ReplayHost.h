#pragma once

// The shell as the replay tool plays it: every effect the page bridge asks
// for is printed as one line, and log lines also go through the shell's own
// activity log, so errlog.txt is written exactly as the real shell writes it.

#include <cstdio>
#include <string>
#include <string_view>

#include "app/ActivityLog.h"
#include "app/LogView.h"
#include "bridge/PageBridge.h"
#include "platform/sim/SimPlatform.h"

namespace velmoran::tools {

class ReplayHost final : public bridge::PageBridgeHost {
 public:
  ReplayHost(platform::sim::SimPlatform& platform, std::FILE* out);

  void logw(std::u16string_view text) override;
  void ExecuteScript(std::u16string_view script) override;
  void ToggleFullScreen() override;

  // Replies run since the last call; each completes successfully.
  std::size_t TakePendingReplies();

 private:
  void Print(std::string_view kind, std::u16string_view text);

  platform::sim::SimPlatform& platform_;
  std::FILE* out_;
  app::LogView view_;
  app::ActivityLog log_;
  std::size_t pendingReplies_ = 0;
};

// "\" as "\\", CR as "\r", LF as "\n": one effect stays on one output line.
std::string EscapeForLine(std::u16string_view text);

}  // namespace velmoran::tools
