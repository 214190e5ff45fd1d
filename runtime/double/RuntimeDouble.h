#pragma once

// The runtime double: the simulated browser runtime driven by a scenario and
// watched by a transcript, both named by environment variables, for tests that
// run the real executable (built as "WebView2Loader.dll", runtime/double/win32).
// It is the same simulated runtime the native tests use, on whatever platform
// and message queue it is given.
//
//   VELMORAN_RUNTIME_SCENARIO    the scenario file (RuntimeScenario.h); unset: nothing fails, the page posts
//   nothing VELMORAN_RUNTIME_TRANSCRIPT  the transcript file (RuntimeTranscript.h); unset: none is written
//
// Both are Windows paths; one that starts with "/" is taken as a path on
// drive Z:, which Wine maps to the Unix root.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "runtime/double/MessageFile.h"
#include "runtime/double/RuntimeScenario.h"
#include "runtime/double/RuntimeTranscript.h"
#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimMessageQueue.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "runtime/sim/SimRuntimeObserver.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::runtime::doubles {

inline constexpr char16_t kScenarioVariable[] = u"VELMORAN_RUNTIME_SCENARIO";
inline constexpr char16_t kTranscriptVariable[] = u"VELMORAN_RUNTIME_TRANSCRIPT";

// What the host process holds, for runs that must stay flat: the scenario's
// "resources every <N>" writes it to the transcript.
struct ProcessResources {
  std::uint64_t privateBytes = 0;
  std::uint64_t workingSetBytes = 0;
  std::uint32_t handles = 0;     // kernel handles; 0 where the system does not count them
  std::uint32_t gdiObjects = 0;  // the same
  std::uint32_t userObjects = 0;
  // The value a handle opened now gets. Handle tables hand out the lowest free
  // entry again, so this only climbs when handles pile up: a leak shows even
  // where the system does not count them (Wine).
  std::uint32_t nextHandle = 0;
};
using ResourceProbe = std::function<ProcessResources()>;

class RuntimeDouble final : public std::enable_shared_from_this<RuntimeDouble>,
                            private sim::SimRuntimeObserver {
 public:
  // Reads the scenario, opens the transcript and becomes the runtime the
  // loader exports answer for (sim::ActiveSimRuntime) until Unload.
  // `probe` measures the host process; without one the figures are 0.
  static std::shared_ptr<RuntimeDouble> Start(platform::Platform& platform,
                                              std::shared_ptr<sim::SimMessageQueue> queue,
                                              ResourceProbe probe = {});
  ~RuntimeDouble() override;
  RuntimeDouble(const RuntimeDouble&) = delete;
  RuntimeDouble& operator=(const RuntimeDouble&) = delete;

  sim::SimRuntimeContext& Context() { return *context_; }

  // The library is going: records how many of the runtime's objects are still
  // alive (0 after a clean shutdown) and steps down. Work still waiting in the
  // message queue holds objects too, so the queue drops it first.
  void Unload();

 private:
  RuntimeDouble(platform::Platform& platform, std::shared_ptr<sim::SimMessageQueue> queue,
                ResourceProbe probe);
  void ReadScenario();
  void Activate();

  void EnvironmentCreated(const sim::SimEnvironmentRequest& request) override;
  void EnvironmentFailed(HRESULT result) override;
  void ControllerCreated(HWND parentWindow) override;
  void ControllerFailed(HRESULT result) override;
  void Subscribed(std::string_view event) override;
  void Unsubscribed(std::string_view event) override;
  void Navigating(std::u16string_view uri) override;
  void NavigationCompleted(sim::SimWebView& webView, bool isSuccess,
                           COREWEBVIEW2_WEB_ERROR_STATUS status) override;
  void ScriptExecuted(std::u16string_view javaScript) override;
  void BoundsSet(const RECT& bounds) override;
  void VisibilitySet(bool isVisible) override;
  void ControllerClosed(std::size_t subscriptionsLeft) override;

  // The page posts its messages one at a time, each from its own turn of the
  // message loop, so the host handles one before the next arrives.
  // `index` is the scenario's item; an item that is a file of messages stays
  // the item until its last line is posted, without its wait after the first.
  void QueuePageMessage(const webview::ComPtr<sim::SimWebView>& webView, std::size_t index,
                        bool sameItem = false);
  // Posts the item's message, or its file's next line; false when the file has no more.
  bool PostNext(sim::SimWebView& webView, const ScenarioMessage& item);
  void PostPageMessage(sim::SimWebView& webView, const ScenarioMessage& message);
  void PostFileMessage(sim::SimWebView& webView, const std::string& line);
  void MessagePosted();
  void PageDone();
  void WriteResources();

  platform::Platform& platform_;
  std::shared_ptr<sim::SimMessageQueue> queue_;
  RuntimeTranscript transcript_;
  RuntimeScenario scenario_;
  std::shared_ptr<sim::SimRuntimeContext> context_;
  std::shared_ptr<sim::SimControllerSide> side_;
  ResourceProbe probe_;
  std::optional<MessageFile> messageFile_;  // the file item being posted
  std::uint64_t messagesPosted_ = 0;
  bool pageLoaded_ = false;
};

}  // namespace velmoran::runtime::doubles
