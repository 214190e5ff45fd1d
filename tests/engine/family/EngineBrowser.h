#pragma once

// The one browser of the engine family program: the browser control on the
// real runtime (the project's WebView2Loader.dll driving Chromium), inside a
// top-level window of its own, started once for the whole program because a
// Chromium start takes seconds. Everything here runs on the program's one
// user-interface thread: the runtime answers through that thread's message
// queue, so every wait pumps messages until its condition holds or its time
// runs out.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "webview/browser/TWVBrowser.h"

namespace velmoran::test::engine {

using namespace std::chrono_literals;

// What a script run through ExecuteScriptWithResult answered.
struct ScriptOutcome {
  HRESULT errorCode = E_FAIL;
  bool succeeded = false;
  std::u16string resultAsJson;
};

class EngineBrowser {
 public:
  // The program's browser, started at the first call; nullptr when the
  // loader or the browser could not start (StartFailure tells why).
  static EngineBrowser* Instance();
  static const std::string& StartFailure();
  // Closes the browser and the window and unloads the loader; the program's end calls it.
  static void Shutdown();

  ~EngineBrowser();
  EngineBrowser(const EngineBrowser&) = delete;
  EngineBrowser& operator=(const EngineBrowser&) = delete;

  webview::TWVBrowser& Browser() { return *browser_; }
  platform::WindowHandle Window() const;

  // The folder tests/engine/family/www as Apache serves it, ending in '/'
  // ($VELMORAN_FAMILY_BASE_URL, default http://localhost/www/).
  static std::u16string BaseURL();
  // BaseURL() + relative, e.g. PageURL(u"cookies/index.html").
  static std::u16string PageURL(std::u16string_view relative);

  // Pumps the thread's messages until condition() holds (true) or limit has passed (false).
  bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 20s);
  // Pumps the thread's messages for `span`, whatever happens.
  void PumpFor(std::chrono::milliseconds span);

  // Navigates and waits for the NavigationCompleted of that navigation; true when it succeeded.
  bool NavigateAndWait(std::u16string_view uri, std::chrono::milliseconds limit = 30s);
  // Runs the script with ExecuteScript and waits for its completion: the
  // result as JSON, or nothing when the call was refused, failed or timed out.
  std::optional<std::u16string> ExecuteScriptAndWait(std::u16string_view javaScript,
                                                     std::chrono::milliseconds limit = 20s);
  // The same through ExecuteScriptWithResult; nothing when refused or timed out.
  std::optional<ScriptOutcome> ExecuteScriptWithResultAndWait(std::u16string_view javaScript,
                                                              std::chrono::milliseconds limit = 20s);

  // The NavigationCompleted events seen so far, and whether the last one reported success.
  std::uint32_t NavigationsCompleted() const { return navigationsCompleted_; }
  bool LastNavigationSucceeded() const { return lastNavigationSucceeded_; }

 private:
  EngineBrowser();
  bool Start(std::string& failure);

  struct Host;
  std::unique_ptr<Host> host_;
  webview::TWVBrowser* browser_ = nullptr;
  std::int32_t nextExecutionId_ = 30000;
  std::uint32_t navigationsCompleted_ = 0;
  bool lastNavigationSucceeded_ = false;
  std::optional<std::pair<std::int32_t, std::optional<std::u16string>>> scriptDone_;
  std::optional<std::pair<std::int32_t, ScriptOutcome>> scriptWithResultDone_;
};

}  // namespace velmoran::test::engine
