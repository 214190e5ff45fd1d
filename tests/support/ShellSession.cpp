#include "tests/support/ShellSession.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "app/Startup.h"
#include "app/TWebCamFrm.h"
#include "base/Text.h"
#include "runtime/sim/SimController.h"
#include "runtime/sim/SimWebView.h"

namespace velmoran::test {

using app::WebCamFrm;

constexpr std::string_view kMainWindowDestroyed = "destroy main window";

std::string FileText(const std::filesystem::path& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return "<missing>";
  std::string text(static_cast<std::size_t>(size), '\0');
  std::ifstream(path, std::ios::binary).read(text.data(), static_cast<std::streamsize>(text.size()));
  return text;
}

std::u16string CaptureObject(std::u16string_view callMode, int index) {
  const std::u16string number = DecimalText(index);
  return u"{\"callMode\":\"" + std::u16string(callMode) + u"\",\"name\":\"pose\",\"index\":" + number +
         u",\"image\":\"data:image/png;base64,AAECAw==\",\"length\":8,\"SavePath\":\"A01\",\"filename\":\"" +
         number + u".png\",\"jsonfilename\":\"" + number +
         u".json\",\"member_info\":\"member\",\"poseWorldLandmarks2\":\"[1,2]\"}";
}

ShellSession::ShellSession() : sim(root.path()) {
  sim.windows().SetIdleHandler([this] { Idle(); });
  sim.windows().SetDestroyObserver([this](platform::WindowHandle window) {
    if (sim.windows().ClassName(window) != u"TWebCamFrm") return;
    events_.emplace_back(kMainWindowDestroyed);
    if (onMainWindowDestroyed) onMainWindowDestroyed();
  });
  sim.com().SetOleUninitializeObserver([this] {
    events_.emplace_back("uninitialize OLE");
    if (onOleUninitialize) onOleUninitialize();
  });
}

ShellSession::~ShellSession() {
  // A run that ended early may have left the loader; it must go while the runtime is still there.
  webview::DestroySharedWebViewLoader();
  recorder_.reset();
  side.reset();
  runtime.reset();
  // The simulation outlives what these write to.
  sim.windows().SetIdleHandler(nullptr);
  sim.windows().SetDestroyObserver(nullptr);
  sim.com().SetOleUninitializeObserver(nullptr);
}

runtime::sim::SimRuntime& ShellSession::InstallRuntime(runtime::sim::SimRuntimeConfig options) {
  runtime = runtime::sim::InstallSimRuntime(sim, std::move(options));
  recorder_ = std::make_unique<RuntimeEventRecorder>(runtime->Context(), events_);
  return *runtime;
}

runtime::sim::SimControllerSide& ShellSession::InstallControllerSide() {
  side = runtime::sim::InstallSimControllerSide(*runtime);
  return *side;
}

int ShellSession::Run(std::vector<std::function<void()>> steps) {
  steps_ = std::move(steps);
  next_ = 0;
  return app::RunVelmoran(sim);
}

void ShellSession::Idle() {
  ++idleCalls_;
  auto& windows = sim.windows();
  while (windows.QueuedMessages() == 0 && next_ < steps_.size()) steps_[next_++]();
  if (windows.QueuedMessages() == 0 && WebCamFrm != nullptr) {
    windows.PostMessageW(WebCamFrm->Handle(), platform::kWmClose, 0, 0);
  }
}

MainWindowView ShellSession::Observe() {
  MainWindowView view;
  app::TWebCamFrm& form = *WebCamFrm;
  auto& windows = sim.windows();
  view.caption = windows.GetWindowTextW(form.Handle());
  view.defaultURL = form.WVBrowser1.DefaultURL();
  view.browserParent = form.WVBrowser1.WindowParentHandle();
  view.host = form.WVWindowParent1.Handle();
  view.panelVisible = form.Panel1.Visible() || windows.IsWindowVisible(form.Panel1.Handle());
  view.splitterVisible = form.Splitter1.Visible() || windows.IsWindowVisible(form.Splitter1.Handle());
  windows.GetWindowRect(view.host, view.hostRect);
  windows.GetClientRect(form.Handle(), view.client);
  windows.GetWindowRect(form.Handle(), view.window);
  view.style = static_cast<std::uint32_t>(windows.GetWindowLongW(form.Handle(), platform::kGwlStyle));
  view.logLines = form.Memo1.Lines();
  if (const webview::TWVLoader* loader = webview::SharedWebViewLoader()) {
    view.loaderStatus = loader->Status();
    view.loaderError = loader->ErrorMessage();
  }
  return view;
}

bool ShellSession::Logged(std::u16string_view ending) const {
  for (const std::u16string& line : WebCamFrm->Memo1.Lines()) {
    if (line.ends_with(ending)) return true;
  }
  return false;
}

std::vector<std::string> ShellSession::Subscriptions() const { return SubscribedEvents(events_); }

std::vector<std::string> ShellSession::Teardown() const {
  auto first = events_.begin();
  while (first != events_.end() && *first != kMainWindowDestroyed) ++first;
  return {first, events_.end()};
}

runtime::sim::SimController& ShellSession::Controller() {
  runtime::sim::SimController* controller = side ? side->LastController() : nullptr;
  if (controller == nullptr) throw std::runtime_error("the runtime made no controller");
  return *controller;
}

runtime::sim::SimWebView& ShellSession::WebView() { return Controller().WebView(); }

std::filesystem::path ShellSession::CaptureFile(std::string_view name) const {
  return root.path() / "C" / "velmoran_pose" / "A01" / name;
}

}  // namespace velmoran::test
