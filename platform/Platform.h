#pragma once

// The one door through which the portable core reaches the system. A Platform
// bundles the services; the core is handed one and never includes a system
// header. platform/win32 forwards each call to Windows, platform/sim answers
// from an in-memory simulated Windows for tests and developer tools.

#include "platform/Clock.h"
#include "platform/Com.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Locale.h"
#include "platform/Modules.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/WindowManager.h"

namespace velmoran::platform {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual Files& files() = 0;
  virtual Locale& locale() = 0;
  virtual Clock& clock() = 0;
  virtual Process& process() = 0;
  virtual Com& com() = 0;
  virtual WindowManager& windows() = 0;
  virtual Graphics& graphics() = 0;
  virtual Shell& shell() = 0;
  virtual Registry& registry() = 0;
  virtual Environment& environment() = 0;
  virtual Modules& modules() = 0;
};

}  // namespace velmoran::platform
