#pragma once

// The simulated runtime's browser process, which every environment and
// webview of the runtime share, ending as a crash or a kill would end it.

#include <memory>

#include "runtime/sim/SimRuntimeContext.h"

namespace velmoran::runtime::sim {

// On the next pump of the message queue the browser process exits with
// `exitCode`: every live webview raises ProcessFailed (BROWSER_PROCESS_EXITED)
// and dies with its controller's windows, then every environment refuses
// controllers from then on and raises BrowserProcessExited (FAILED). Only a
// new environment starts a browser process again.
void FailSimBrowserProcess(const std::shared_ptr<SimRuntimeContext>& context, int exitCode);

}  // namespace velmoran::runtime::sim
