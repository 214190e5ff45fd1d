#include "runtime/sim/SimControllerSide.h"

#include <algorithm>
#include <utility>

#include "runtime/sim/SimController.h"
#include "runtime/sim/SimControllerOptions.h"
#include "runtime/sim/SimCoreWebView2Environment.h"
#include "runtime/sim/SimPrintSettings.h"
#include "webview/abi/CoTaskMemText.h"

namespace velmoran::runtime::sim {

using webview::ComPtr;
using webview::MakeComObject;

namespace {

// What the options object holds at the time of the request, as the runtime reads it.
SimControllerRequest ReadRequest(platform::Com& com, HWND parentWindow,
                                 ICoreWebView2ControllerOptions* options) {
  SimControllerRequest request;
  request.parentWindow = parentWindow;
  if (options == nullptr) return request;
  request.withOptions = true;
  webview::CoTaskMemText name(com);
  if (SUCCEEDED(options->get_ProfileName(name.Put()))) request.profileName = name.ToU16String();
  BOOL inPrivate = FALSE;
  if (SUCCEEDED(options->get_IsInPrivateModeEnabled(&inPrivate)))
    request.isInPrivateModeEnabled = inPrivate != FALSE;
  ComPtr<ICoreWebView2ControllerOptions2> options2;
  if (SUCCEEDED(options->QueryInterface(IID_ICoreWebView2ControllerOptions2, options2.PutVoid()))) {
    webview::CoTaskMemText locale(com);
    if (SUCCEEDED(options2->get_ScriptLocale(locale.Put()))) request.scriptLocale = locale.ToU16String();
  }
  return request;
}

}  // namespace

HRESULT SimControllerSide::CreateController(
    SimCoreWebView2Environment& environment, HWND parentWindow, ICoreWebView2ControllerOptions* options,
    ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) {
  const SimCallOutcome outcome = config_.createController;
  if (FAILED(outcome.immediate)) return outcome.immediate;
  SimControllerRequest request = ReadRequest(environment.Context().Com(), parentWindow, options);
  requests_.push_back(request);
  ComPtr<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> completion(handler);
  const std::shared_ptr<SimRuntimeContext>& context = environment.SharedContext();
  std::shared_ptr<SimControllerSide> self = shared_from_this();
  context->Post([context, self, completion, outcome, request] {
    if (FAILED(outcome.completion) || outcome.withoutObject) {
      context->Observer().ControllerFailed(outcome.completion);
      completion->Invoke(outcome.completion, nullptr);
      return;
    }
    context->Observer().ControllerCreated(request.parentWindow);
    auto controller = MakeComObject<SimController>(context, self, request.parentWindow, request);
    completion->Invoke(outcome.completion, controller.Get());
  });
  return S_OK;
}

HRESULT SimControllerSide::CreateControllerOptions(SimCoreWebView2Environment& environment,
                                                   ICoreWebView2ControllerOptions** value) {
  auto options =
      MakeComObject<SimControllerOptions>(environment.SharedContext(), config_.controllerOptionsVersions);
  options->Values().Write<std::u16string>("ProfileName", u"");
  options->Values().Write<BOOL>("IsInPrivateModeEnabled", FALSE);
  *value = ComPtr<ICoreWebView2ControllerOptions>(options).Detach();
  return S_OK;
}

HRESULT SimControllerSide::CreatePrintSettings(SimCoreWebView2Environment& environment,
                                               ICoreWebView2PrintSettings** value) {
  auto settings = MakeComObject<SimPrintSettings>(environment.SharedContext(), config_.printSettingsVersions);
  settings->Values().Write<double>("ScaleFactor", 1.0);
  settings->Values().Write<INT32>("Copies", 1);
  settings->Values().Write<INT32>("PagesPerSide", 1);
  *value = ComPtr<ICoreWebView2PrintSettings>(settings).Detach();
  return S_OK;
}

void SimControllerSide::ControllerDestroyed(SimController* controller) {
  controllers_.erase(std::remove(controllers_.begin(), controllers_.end(), controller), controllers_.end());
}

}  // namespace velmoran::runtime::sim
