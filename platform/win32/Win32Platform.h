#pragma once

#include "platform/Platform.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Com.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Graphics.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Modules.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32WindowManager.h"

namespace velmoran::platform::win32 {

// The real Windows: every service forwards to the system.
class Win32Platform final : public Platform {
 public:
  Files& files() override { return files_; }
  Locale& locale() override { return locale_; }
  Clock& clock() override { return clock_; }
  Process& process() override { return process_; }
  Com& com() override { return com_; }
  WindowManager& windows() override { return windows_; }
  Graphics& graphics() override { return graphics_; }
  Shell& shell() override { return shell_; }
  Registry& registry() override { return registry_; }
  Environment& environment() override { return environment_; }
  Modules& modules() override { return modules_; }

 private:
  Win32Files files_;
  Win32Locale locale_;
  Win32Clock clock_;
  Win32Process process_;
  Win32Com com_;
  Win32WindowManager windows_;
  Win32Graphics graphics_;
  Win32Shell shell_;
  Win32Registry registry_;
  Win32Environment environment_;
  Win32Modules modules_;
};

}  // namespace velmoran::platform::win32
