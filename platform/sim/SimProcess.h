#pragma once

#include <string>

#include "platform/Process.h"

namespace velmoran::platform::sim {

class SimProcess final : public Process {
 public:
  bool GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) override;

  void SetExecutablePath(std::u16string path) { executablePath_ = std::move(path); }
  const std::u16string& ExecutablePath() const { return executablePath_; }

 private:
  std::u16string executablePath_ = u"C:\\velmoran\\velmoran.exe";
};

}  // namespace velmoran::platform::sim
