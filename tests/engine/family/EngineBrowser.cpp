#include "tests/engine/family/EngineBrowser.h"

#include <windows.h>

#include <cstdlib>
#include <utility>

#include "base/Text.h"
#include "platform/win32/Win32Platform.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComPtr.h"
#include "webview/browser/TWVWindowParent.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::test::engine {

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

std::unique_ptr<EngineBrowser>& TheBrowser() {
  static std::unique_ptr<EngineBrowser> browser;
  return browser;
}

std::string& TheStartFailure() {
  static std::string failure;
  return failure;
}

// The platform outlives everything that uses it, the shared loader included,
// which is destroyed after the browser: it is never destroyed at all.
platform::win32::Win32Platform& ThePlatform() {
  static auto* platform = new platform::win32::Win32Platform();
  return *platform;
}

bool& StartTried() {
  static bool tried = false;
  return tried;
}

// The folder of the running program, ending in a backslash.
std::u16string ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::u16string folder(reinterpret_cast<const char16_t*>(path), length);
  const std::size_t slash = folder.find_last_of(u'\\');
  return slash == std::u16string::npos ? std::u16string() : folder.substr(0, slash + 1);
}

void PumpOnce(DWORD waitMs) {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // A stray WM_QUIT must not end anything: the waits decide when to stop.
    if (message.message == WM_QUIT) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ::MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
}

}  // namespace

// Declared in this order so that the browser goes before its host window.
struct EngineBrowser::Host {
  platform::win32::Win32Platform& platform = ThePlatform();
  HWND frame = nullptr;
  webview::TWVWindowParent windowParent{platform.windows()};
  webview::TWVBrowser browser{platform};
  bool initializationFailed = false;
  std::u16string initializationMessage;
};

EngineBrowser* EngineBrowser::Instance() {
  if (!StartTried()) {
    StartTried() = true;
    std::unique_ptr<EngineBrowser> browser(new EngineBrowser());
    std::string failure;
    if (browser->Start(failure)) {
      TheBrowser() = std::move(browser);
    } else {
      TheStartFailure() = failure;
      browser.reset();
      webview::DestroySharedWebViewLoader();
    }
  }
  return TheBrowser().get();
}

const std::string& EngineBrowser::StartFailure() { return TheStartFailure(); }

void EngineBrowser::Shutdown() {
  if (TheBrowser()) {
    TheBrowser().reset();
    webview::DestroySharedWebViewLoader();
  }
}

EngineBrowser::EngineBrowser() : host_(std::make_unique<Host>()), browser_(&host_->browser) {}

EngineBrowser::~EngineBrowser() {
  host_->windowParent.SetBrowser(nullptr);
  host_->browser.CloseBrowser();
  // What the runtime still posts for the closed browser is handled before the window goes.
  PumpFor(200ms);
  host_->windowParent.DestroyHandle();
  if (host_->frame != nullptr) ::DestroyWindow(host_->frame);
  host_.reset();
}

platform::WindowHandle EngineBrowser::Window() const {
  return reinterpret_cast<platform::WindowHandle>(host_->frame);
}

bool EngineBrowser::Start(std::string& failure) {
  webview::TWVLoader& loader = webview::CreateSharedWebViewLoader(host_->platform);
  loader.SetUserDataFolder(ProgramFolder() + u"EngineFamilyData");
  // The outcome is read from the loader's state, whatever StartWebView2 answered.
  loader.StartWebView2();
  if (!WaitUntil([&loader] { return loader.Initialized() || loader.InitializationError(); }, 60s) ||
      !loader.Initialized()) {
    failure = "the loader did not start: " + Utf16ToUtf8(loader.ErrorMessage());
    return false;
  }

  host_->frame = ::CreateWindowExW(0, L"STATIC", L"Engine family", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                                   0, kWindowWidth, kWindowHeight, nullptr, nullptr, nullptr, nullptr);
  if (host_->frame == nullptr) {
    failure = "no top-level window";
    return false;
  }
  ::ShowWindow(host_->frame, SW_SHOWNORMAL);
  if (!host_->windowParent.CreateHandle(Window())) {
    failure = "no host window inside the top-level window";
    return false;
  }
  RECT client{};
  ::GetClientRect(host_->frame, &client);
  ::SetWindowPos(reinterpret_cast<HWND>(host_->windowParent.Handle()), nullptr, 0, 0, client.right,
                 client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  host_->windowParent.SetBrowser(browser_);
  browser_->SetFormHandle(Window());

  browser_->OnAfterCreated = [this](webview::TWVBrowserBase*) { host_->windowParent.UpdateSize(); };
  browser_->OnInitializationError = [this](webview::TWVBrowserBase*, HRESULT, const std::u16string& message) {
    host_->initializationFailed = true;
    host_->initializationMessage = message;
  };
  browser_->OnNavigationCompleted = [this](webview::TWVBrowserBase*, ICoreWebView2*,
                                           ICoreWebView2NavigationCompletedEventArgs* args) {
    BOOL success = FALSE;
    if (args == nullptr || FAILED(args->get_IsSuccess(&success))) success = FALSE;
    lastNavigationSucceeded_ = success != FALSE;
    ++navigationsCompleted_;
  };
  browser_->OnExecuteScriptCompleted = [this](webview::TWVBrowserBase*, HRESULT errorCode,
                                              const std::u16string& result, std::int32_t executionId) {
    scriptDone_.emplace(executionId, SUCCEEDED(errorCode) ? std::optional<std::u16string>(result)
                                                          : std::optional<std::u16string>());
  };
  browser_->OnExecuteScriptWithResultCompleted = [this](webview::TWVBrowserBase*, HRESULT errorCode,
                                                        ICoreWebView2ExecuteScriptResult* result,
                                                        std::int32_t executionId) {
    ScriptOutcome outcome;
    outcome.errorCode = errorCode;
    if (result != nullptr) {
      BOOL succeeded = FALSE;
      if (SUCCEEDED(result->get_Succeeded(&succeeded))) outcome.succeeded = succeeded != FALSE;
      webview::CoTaskMemText json(host_->platform.com());
      if (SUCCEEDED(result->get_ResultAsJson(json.Put()))) outcome.resultAsJson = json.ToU16String();
    }
    scriptWithResultDone_.emplace(executionId, std::move(outcome));
  };

  if (!browser_->CreateBrowser(host_->windowParent.Handle(), true)) {
    failure = "CreateBrowser refused";
    return false;
  }
  if (!WaitUntil([this] { return browser_->Initialized() || host_->initializationFailed; }, 90s)) {
    failure = "the browser was not created within 90 s";
    return false;
  }
  if (host_->initializationFailed) {
    failure = "the browser could not be created: " + Utf16ToUtf8(host_->initializationMessage);
    return false;
  }
  return true;
}

std::u16string EngineBrowser::BaseURL() {
  const char* configured = std::getenv("VELMORAN_FAMILY_BASE_URL");
  std::u16string base =
      Utf8ToUtf16(configured != nullptr && *configured != '\0' ? std::string_view(configured)
                                                               : std::string_view("http://localhost/www/"));
  if (base.back() != u'/') base.push_back(u'/');
  return base;
}

std::u16string EngineBrowser::PageURL(std::u16string_view relative) {
  return BaseURL() + std::u16string(relative);
}

bool EngineBrowser::WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    PumpOnce(10);
  }
  return true;
}

void EngineBrowser::PumpFor(std::chrono::milliseconds span) {
  const auto deadline = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < deadline) PumpOnce(10);
}

bool EngineBrowser::NavigateAndWait(std::u16string_view uri, std::chrono::milliseconds limit) {
  const std::uint32_t before = navigationsCompleted_;
  if (!browser_->Navigate(uri)) return false;
  if (!WaitUntil([&] { return navigationsCompleted_ != before; }, limit)) return false;
  return lastNavigationSucceeded_;
}

std::optional<std::u16string> EngineBrowser::ExecuteScriptAndWait(std::u16string_view javaScript,
                                                                  std::chrono::milliseconds limit) {
  const std::int32_t id = nextExecutionId_++;
  scriptDone_.reset();
  if (!browser_->ExecuteScript(javaScript, id)) return std::nullopt;
  if (!WaitUntil([&] { return scriptDone_ && scriptDone_->first == id; }, limit)) return std::nullopt;
  return scriptDone_->second;
}

std::optional<ScriptOutcome> EngineBrowser::ExecuteScriptWithResultAndWait(std::u16string_view javaScript,
                                                                           std::chrono::milliseconds limit) {
  const std::int32_t id = nextExecutionId_++;
  scriptWithResultDone_.reset();
  if (!browser_->ExecuteScriptWithResult(javaScript, id)) return std::nullopt;
  if (!WaitUntil([&] { return scriptWithResultDone_ && scriptWithResultDone_->first == id; }, limit))
    return std::nullopt;
  return scriptWithResultDone_->second;
}

}  // namespace velmoran::test::engine
