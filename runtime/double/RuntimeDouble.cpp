#include "runtime/double/RuntimeDouble.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "runtime/sim/SimBrowserProcess.h"
#include "runtime/sim/SimWebView.h"

namespace velmoran::runtime::doubles {
namespace {

std::u16string PathFromVariable(platform::Environment& environment, std::u16string_view name) {
  std::u16string value;
  if (!environment.GetEnvironmentVariableW(name, value)) return {};
  return WindowsPathOf(std::move(value));
}

bool ReadWholeFile(platform::Files& files, const std::u16string& path, std::string& bytes) {
  const platform::Handle file =
      files.CreateFileW(path, platform::kGenericRead, platform::kFileShareRead | platform::kFileShareWrite,
                        platform::kOpenExisting);
  if (file == platform::kInvalidHandle) return false;
  std::int64_t size = 0;
  bool read = files.GetFileSizeEx(file, size) && size >= 0 && size < INT32_MAX;
  if (read) {
    bytes.resize(static_cast<std::size_t>(size));
    std::uint32_t got = 0;
    read =
        bytes.empty() || (files.ReadFile(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), got) &&
                          got == bytes.size());
  }
  files.CloseHandle(file);
  return read;
}

std::u16string ResultText(HRESULT result) { return u"0x" + Hex8(static_cast<std::uint32_t>(result)); }

}  // namespace

std::shared_ptr<RuntimeDouble> RuntimeDouble::Start(platform::Platform& platform,
                                                    std::shared_ptr<sim::SimMessageQueue> queue,
                                                    ResourceProbe probe) {
  std::shared_ptr<RuntimeDouble> runtime(new RuntimeDouble(platform, std::move(queue), std::move(probe)));
  runtime->Activate();
  return runtime;
}

RuntimeDouble::RuntimeDouble(platform::Platform& platform, std::shared_ptr<sim::SimMessageQueue> queue,
                             ResourceProbe probe)
    : platform_(platform),
      queue_(std::move(queue)),
      transcript_(platform.files(), PathFromVariable(platform.environment(), kTranscriptVariable)),
      probe_(std::move(probe)) {
  ReadScenario();
}

RuntimeDouble::~RuntimeDouble() {
  context_->SetObserver(nullptr);
  if (sim::ActiveSimRuntime() == context_) sim::SetActiveSimRuntime(nullptr);
}

void RuntimeDouble::ReadScenario() {
  const std::u16string path = PathFromVariable(platform_.environment(), kScenarioVariable);
  if (path.empty()) return;
  std::string text;
  if (!ReadWholeFile(platform_.files(), path, text)) {
    transcript_.Write("scenario-error", {u"0", u"cannot read " + path});
    return;
  }
  scenario_ = ParseRuntimeScenario(text);
  for (const ScenarioError& error : scenario_.errors) {
    transcript_.Write("scenario-error",
                      {DecimalText(static_cast<std::int64_t>(error.line)), Utf8ToUtf16(error.reason)});
  }
}

void RuntimeDouble::Activate() {
  sim::SimRuntimeConfig config;
  if (scenario_.environmentCompletion) config.createEnvironment.completion = *scenario_.environmentCompletion;
  sim::SimControllerConfig controllerConfig;
  if (scenario_.controllerCompletion)
    controllerConfig.createController.completion = *scenario_.controllerCompletion;
  if (scenario_.scriptCompletion) controllerConfig.scriptCompletion = *scenario_.scriptCompletion;
  controllerConfig.failingNavigations = scenario_.failingNavigations;

  context_ = std::make_shared<sim::SimRuntimeContext>(platform_, queue_, std::move(config));
  for (const ScenarioCallFailure& failure : scenario_.callFailures) {
    context_->SetCallResult(failure.method, failure.result);
  }
  side_ = std::make_shared<sim::SimControllerSide>(std::move(controllerConfig));
  context_->SetControllerFactory(side_);
  context_->SetObserver(this);
  sim::SetActiveSimRuntime(context_);
}

void RuntimeDouble::Unload() {
  transcript_.Write("unload", {DecimalText(static_cast<std::int64_t>(context_->LiveObjects()))});
  transcript_.Close();
  context_->SetObserver(nullptr);
  if (sim::ActiveSimRuntime() == context_) sim::SetActiveSimRuntime(nullptr);
}

void RuntimeDouble::EnvironmentCreated(const sim::SimEnvironmentRequest& request) {
  transcript_.Write("environment", {request.userDataFolder, request.additionalBrowserArguments});
}

void RuntimeDouble::EnvironmentFailed(HRESULT result) {
  transcript_.Write("environment-failed", {ResultText(result)});
}

void RuntimeDouble::ControllerCreated(HWND parentWindow) {
  const auto handle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(parentWindow));
  transcript_.Write("controller", {u"0x" + Hex8(handle)});
}

void RuntimeDouble::ControllerFailed(HRESULT result) {
  transcript_.Write("controller-failed", {ResultText(result)});
}

void RuntimeDouble::Subscribed(std::string_view event) {
  transcript_.Write("subscribe", {AsciiToUtf16(event)});
}

void RuntimeDouble::Unsubscribed(std::string_view event) {
  transcript_.Write("unsubscribe", {AsciiToUtf16(event)});
}

void RuntimeDouble::Navigating(std::u16string_view uri) { transcript_.Write("navigate", {uri}); }

void RuntimeDouble::NavigationCompleted(sim::SimWebView& webView, bool isSuccess,
                                        COREWEBVIEW2_WEB_ERROR_STATUS status) {
  if (isSuccess) {
    transcript_.Write("navigation-completed", {u"1"});
  } else {
    transcript_.Write("navigation-completed", {u"0", DecimalText(static_cast<std::int64_t>(status))});
  }
  // The page has loaded: it starts (or, after a crash, goes on) posting once
  // the host has seen the navigation end, as a page's script runs after it has loaded.
  if (!isSuccess || !resumeAt_) return;
  const std::size_t next = *resumeAt_;
  resumeAt_.reset();
  QueuePageMessage(webview::ComPtr<sim::SimWebView>(&webView), next);
}

void RuntimeDouble::Reloading(std::u16string_view uri) { transcript_.Write("reload", {uri}); }

void RuntimeDouble::ProcessFailed(COREWEBVIEW2_PROCESS_FAILED_KIND kind, int exitCode) {
  transcript_.Write("process-failed", {DecimalText(static_cast<std::int64_t>(kind)), DecimalText(exitCode)});
}

void RuntimeDouble::ScriptExecuted(std::u16string_view javaScript) {
  transcript_.Write("script", {javaScript});
}

void RuntimeDouble::BoundsSet(const RECT& bounds) {
  const std::u16string text = DecimalText(bounds.left) + u" " + DecimalText(bounds.top) + u" " +
                              DecimalText(bounds.right) + u" " + DecimalText(bounds.bottom);
  transcript_.Write("bounds", {text});
}

void RuntimeDouble::VisibilitySet(bool isVisible) { transcript_.Write("visible", {isVisible ? u"1" : u"0"}); }

void RuntimeDouble::ControllerClosed(std::size_t subscriptionsLeft) {
  transcript_.Write("close", {DecimalText(static_cast<std::int64_t>(subscriptionsLeft))});
}

void RuntimeDouble::QueuePageMessage(const webview::ComPtr<sim::SimWebView>& webView, std::size_t index,
                                     bool sameItem) {
  if (index >= scenario_.messages.size()) return PageDone();
  // The queue may outlive this runtime (a test ends, the library unloads).
  auto post = [weak = weak_from_this(), webView, index] {
    const std::shared_ptr<RuntimeDouble> self = weak.lock();
    if (!self || webView->Closed() || webView->BrowserProcessGone()) return;
    const ScenarioMessage& item = self->scenario_.messages[index];
    if (item.crash) {
      self->resumeAt_ = index + 1;
      self->Crash(*webView, *item.crash);
      return;
    }
    const bool more = self->PostNext(*webView, item);
    self->QueuePageMessage(webView, more ? index : index + 1, more);
  };
  const std::uint32_t delay = sameItem ? 0 : scenario_.messages[index].delayMilliseconds;
  if (delay > 0) {
    queue_->PostAfter(delay, std::move(post));
  } else {
    queue_->Post(std::move(post));
  }
}

bool RuntimeDouble::PostNext(sim::SimWebView& webView, const ScenarioMessage& item) {
  if (item.file.empty()) {
    PostPageMessage(webView, item);
    MessagePosted();
    return false;
  }
  if (!messageFile_) {
    messageFile_.emplace(platform_.files(), item.file);
    if (!messageFile_->Open()) transcript_.Write("scenario-error", {u"0", u"cannot read " + item.file});
  }
  std::string line;
  if (!messageFile_->NextLine(line)) {
    messageFile_.reset();
    return false;
  }
  PostFileMessage(webView, line);
  MessagePosted();
  return true;
}

void RuntimeDouble::PostFileMessage(sim::SimWebView& webView, const std::string& line) {
  // The file's messages are named by their line: a long run would otherwise
  // copy every image into the transcript.
  transcript_.Write("page-message",
                    {u"line " + DecimalText(static_cast<std::int64_t>(messageFile_->LineNumber()))});
  if (line == "!unreadable") {
    webView.Page().PostUnreadableWebMessage();
  } else {
    webView.Page().PostWebMessageAsJson(Utf8ToUtf16(line));
  }
}

void RuntimeDouble::MessagePosted() {
  ++messagesPosted_;
  if (scenario_.resourcesEvery != 0 && messagesPosted_ % scenario_.resourcesEvery == 0) WriteResources();
}

void RuntimeDouble::PageDone() {
  if (scenario_.resourcesEvery == 0) return;
  if (messagesPosted_ % scenario_.resourcesEvery != 0) WriteResources();
  transcript_.Write("page-done", {DecimalText(static_cast<std::int64_t>(messagesPosted_))});
}

void RuntimeDouble::WriteResources() {
  const ProcessResources resources = probe_ ? probe_() : ProcessResources{};
  const auto text = [](std::uint64_t value) { return DecimalText(static_cast<std::int64_t>(value)); };
  transcript_.Write("resources",
                    {text(messagesPosted_), text(resources.privateBytes), text(resources.workingSetBytes),
                     text(resources.handles), text(resources.gdiObjects), text(resources.userObjects),
                     text(resources.nextHandle)});
}

void RuntimeDouble::Crash(sim::SimWebView& webView, const ScenarioCrash& crash) {
  if (crash.browserProcess) {
    sim::FailSimBrowserProcess(context_, crash.exitCode);
  } else {
    webView.FailRenderProcess(COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED,
                              COREWEBVIEW2_PROCESS_FAILED_REASON_CRASHED, crash.exitCode);
  }
}

void RuntimeDouble::PostPageMessage(sim::SimWebView& webView, const ScenarioMessage& message) {
  if (message.textPointsNowhere) {
    transcript_.Write("page-message", {u"!invalid-pointer"});
    webView.Page().PostWebMessagePointingNowhere();
  } else if (message.json) {
    transcript_.Write("page-message", {*message.json});
    webView.Page().PostWebMessageAsJson(*message.json);
  } else {
    transcript_.Write("page-message", {u"!unreadable"});
    webView.Page().PostUnreadableWebMessage();
  }
}

}  // namespace velmoran::runtime::doubles
