#include "runtime/sim/SimBrowserProcess.h"

#include <vector>

#include "runtime/sim/SimController.h"
#include "runtime/sim/SimCoreWebView2Environment.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::runtime::sim {

void FailSimBrowserProcess(const std::shared_ptr<SimRuntimeContext>& context, int exitCode) {
  context->Post([context, exitCode] {
    // Held while the host's handlers run: one may let go of what it was handed.
    std::vector<webview::ComPtr<SimController>> controllers;
    for (SimController* controller : context->Controllers()) controllers.emplace_back(controller);
    std::vector<webview::ComPtr<SimCoreWebView2Environment>> environments;
    for (SimCoreWebView2Environment* environment : context->Environments())
      environments.emplace_back(environment);
    for (const auto& controller : controllers) controller->BrowserProcessFailed(exitCode);
    for (const auto& environment : environments) environment->BrowserProcessFailed();
  });
}

}  // namespace velmoran::runtime::sim
