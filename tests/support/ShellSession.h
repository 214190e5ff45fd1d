#pragma once

// The whole program on the simulated Windows and the simulated browser
// runtime, as a user meets it: arrange the machine, start the program, act
// each time its message queue runs dry, look at what it shows and stores,
// then close its window and see what it left behind.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/SimPlatform.h"
#include "runtime/sim/SimControllerSide.h"
#include "runtime/sim/SimRuntime.h"
#include "tests/support/ApacheInstall.h"
#include "tests/support/RuntimeEventRecorder.h"
#include "tests/support/TempFolder.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::test {

// What the main window shows, and where the loader stands, at one moment.
struct MainWindowView {
  std::u16string caption;
  std::u16string defaultURL;
  platform::WindowHandle browserParent = 0;  // the window the browser was asked for in
  platform::WindowHandle host = 0;
  // Hidden both as the form knows it and as the system shows it.
  bool panelVisible = true;
  bool splitterVisible = true;
  platform::Rect hostRect, client, window;
  std::uint32_t style = 0;
  std::vector<std::u16string> logLines;
  webview::TWV2LoaderStatus loaderStatus = webview::wvlsCreated;
  std::u16string loaderError;
};

// A file's bytes, or "<missing>" when it cannot be read.
std::string FileText(const std::filesystem::path& path);

// The inner object of the page's capture message for image `index`, as the
// page serialises it before posting it as a string: folder "A01", the image
// kCapturedImage, member text "member" and pose text "[1,2]".
std::u16string CaptureObject(std::u16string_view callMode, int index);
// The bytes the image of CaptureObject decodes to.
inline const std::string kCapturedImage("\x00\x01\x02\x03", 4);

class ShellSession {
 public:
  ShellSession();
  ~ShellSession();
  ShellSession(const ShellSession&) = delete;
  ShellSession& operator=(const ShellSession&) = delete;

  // --- Arranging the machine, before Run ---

  void InstallApache(ApacheExecutable kind = ApacheExecutable::File) {
    test::InstallApache(root.path(), kind);
  }
  // The web server already runs when the program starts.
  void StartServer() { sim.shell().AddProcess(u"C:\\xampp\\apache\\bin\\httpd.exe"); }
  // The simulated runtime beside the executable; what it is asked is recorded in Events().
  runtime::sim::SimRuntime& InstallRuntime(runtime::sim::SimRuntimeConfig options = {});
  // Real controllers, webviews and pages for the browser the program asks for.
  runtime::sim::SimControllerSide& InstallControllerSide();

  // --- Running ---

  // Runs the program to its end and answers its exit code. Each time the
  // queue runs dry the next steps run, until one of them queues something;
  // once none is left and the queue is dry, the user closes the main window.
  int Run(std::vector<std::function<void()>> steps = {});

  // --- Observing ---

  MainWindowView Observe();
  // The runtime's newest controller and its webview; a step that finds none fails there.
  runtime::sim::SimController& Controller();
  runtime::sim::SimWebView& WebView();
  // A file of CaptureObject's folder under the capture root.
  std::filesystem::path CaptureFile(std::string_view name) const;
  // Whether a line of the main window's log ends with `ending`.
  bool Logged(std::u16string_view ending) const;
  int IdleCalls() const { return idleCalls_; }
  std::size_t StepsRun() const { return next_; }

  // What the runtime and the system saw the program do, in order:
  // "subscribe <event>", "unsubscribe <event>", "close controller, <n> left",
  // "destroy main window", "uninitialize OLE".
  const std::vector<std::string>& Events() const { return events_; }
  // The subscriptions alone, event names in the order they were made.
  std::vector<std::string> Subscriptions() const;
  // The events from the main window's end on.
  std::vector<std::string> Teardown() const;

  // Run inside the main window's destruction and inside each OLE uninitialisation.
  std::function<void()> onMainWindowDestroyed;
  std::function<void()> onOleUninitialize;

  TempFolder root;
  platform::sim::SimPlatform sim;
  std::unique_ptr<runtime::sim::SimRuntime> runtime;
  std::shared_ptr<runtime::sim::SimControllerSide> side;

 private:
  void Idle();

  std::unique_ptr<RuntimeEventRecorder> recorder_;
  std::vector<std::string> events_;
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
  int idleCalls_ = 0;
};

}  // namespace velmoran::test
