#pragma once

#include <filesystem>

#include "platform/Platform.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimCom.h"
#include "platform/sim/SimEnvironment.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimLocale.h"
#include "platform/sim/SimModules.h"
#include "platform/sim/SimProcess.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimWindowManager.h"

namespace velmoran::platform::sim {

// A whole simulated Windows. Drive letters map to folders under `root`; every
// service can be reached by its concrete type to script answers and inspect
// what the core asked.
class SimPlatform final : public Platform {
 public:
  explicit SimPlatform(std::filesystem::path root);
  ~SimPlatform() override;

  SimFiles& files() override { return files_; }
  SimLocale& locale() override { return locale_; }
  SimClock& clock() override { return clock_; }
  SimProcess& process() override { return process_; }
  SimCom& com() override { return com_; }
  SimWindowManager& windows() override { return windows_; }
  SimGraphics& graphics() override { return graphics_; }
  SimShell& shell() override { return shell_; }
  SimRegistry& registry() override { return registry_; }
  SimEnvironment& environment() override { return environment_; }
  SimModules& modules() override { return modules_; }

 private:
  SimClock clock_;
  SimCom com_;
  SimFiles files_;
  SimLocale locale_;
  SimProcess process_;
  SimWindowManager windows_;
  SimGraphics graphics_;
  SimShell shell_;
  SimRegistry registry_;
  SimEnvironment environment_;
  SimModules modules_;
};

}  // namespace velmoran::platform::sim
