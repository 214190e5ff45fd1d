// velmoran.exe's whole road under Wine, black box: the real executable in a
// folder of its own, the runtime double beside it playing the browser and the
// page, the stand-in httpd.exe playing the web server. The test sees only
// what a user or another program could: windows through Win32 calls, message
// boxes by their caption, real key presses through X, the screen, the files
// the shell writes and the double's transcript.

#include <windows.h>
#include <gtest/gtest.h>

// After windows.h, whose types it uses.
#include <wincrypt.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/CaseName.h"
#include "tests/wine/Desktop.h"
#include "tests/wine/EditMetrics.h"
#include "tests/wine/Polling.h"
#include "tests/wine/PrefixState.h"
#include "tests/wine/ShellUnderTest.h"
#include "tests/wine/StandInServer.h"
#include "tests/wine/WineText.h"

namespace velmoran::test {
namespace {

constexpr char kIndexUrl[] = "http://localhost/www/corvale2/index.html";
constexpr char kFolderUrl[] = "http://localhost/www/corvale2/";
constexpr char kSwitches[] =
    "--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*";
constexpr DWORD kFullScreenStyleMask = 0xFF3BFFFF;
constexpr wchar_t kCaptureFolder[] = L"C:\\velmoran_pose\\A01";

// An 8 x 8 PNG, as the page sends its captures.
constexpr char kPngBase64[] =
    "iVBORw0KGgoAAAANSUhEUgAAAAgAAAAICAIAAABLbSncAAAAbElEQVR42hXNQRUAUQhCUaMYhShGeVGIQhSizB+"
    "XXA7ODDtouIHBQ4YOM8su"
    "Wm5h8ZKl+0CskDiBsIioHhx76LiDw0eO3oN/4FVf+J8h0PduzBqZ8x/bxNQPwgaFy192SGgelC0q13/"
    "CJaXlA8Z7WAFXOTbyAAAAAElFTkSuQm"
    "CC";
constexpr char kMemberInfo[] = "{\"member\":\"\xED\x99\x8D\xEA\xB8\xB8\xEB\x8F\x99\",\"age\":41}";  // 홍길동
constexpr char kPose[] = "[[0.5, 0.25, -0.1], [0.45, 0.3, -0.05]]";

std::string JsonString(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted.push_back('\\');
    quoted.push_back(c);
  }
  return quoted + "\"";
}

// One capture message of the page, for image `index`: the capture's JSON text, posted as a string.
std::string CaptureMessage(std::string_view callMode, int index = 1) {
  const std::string number = std::to_string(index);
  const std::string inner =
      "{\"callMode\":\"" + std::string(callMode) + "\",\"name\":\"pose-capture\",\"index\":" + number +
      ",\"image\":\"data:image/png;base64," + kPngBase64 +
      "\",\"length\":242,\"SavePath\":\"A01\",\"filename\":\"" + number + ".png\",\"jsonfilename\":\"" +
      number + ".json\",\"member_info\":" + JsonString(kMemberInfo) +
      ",\"poseWorldLandmarks2\":" + JsonString(kPose) + "}";
  return JsonString(inner);
}

std::string Base64Decoded(const char* text) {
  DWORD size = 0;
  ::CryptStringToBinaryA(text, 0, CRYPT_STRING_BASE64, nullptr, &size, nullptr, nullptr);
  std::string bytes(size, '\0');
  ::CryptStringToBinaryA(text, 0, CRYPT_STRING_BASE64, reinterpret_cast<BYTE*>(bytes.data()), &size, nullptr,
                         nullptr);
  bytes.resize(size);
  return bytes;
}

std::string Hex(std::uintptr_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(value));
  return text;
}

// What the page of the whole road does: a capture, the four-image check, and
// a while later the page's own full-screen switch.
std::string RoadScenario() {
  return CaptureMessage("imgSave") + "\nwait 300\n" + CaptureMessage("sendAllDataCall") +
         "\nwait 2500\n\"AppExit\"\n";
}

struct WindowState {
  RECT bounds{};
  DWORD style = 0;
};

WindowState StateOf(HWND window) {
  WindowState state;
  ::GetWindowRect(window, &state.bounds);
  state.style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
  return state;
}

bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// The window and its frame painted before a screenshot is taken of them.
void PaintNow(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

MONITORINFO MonitorOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info;
}

bool IsFullScreen(HWND window, const WindowState& windowed) {
  const WindowState now = StateOf(window);
  return now.bounds == MonitorOf(window).rcMonitor && now.style == (windowed.style & kFullScreenStyleMask);
}

bool IsBack(HWND window, const WindowState& windowed) {
  const WindowState now = StateOf(window);
  return now.bounds == windowed.bounds && now.style == windowed.style;
}

// The log's messages, each line's text after its timestamp and ":::".
std::vector<std::wstring> LoggedMessages(const std::wstring& log) {
  static const std::wregex kLine(LR"((\d\d-\d\d \d{1,2}:\d{1,2}:\d\d\.\d{3}):::(.*))");
  std::vector<std::wstring> messages;
  std::size_t start = 0;
  for (std::size_t end = log.find(L"\r\n"); end != std::wstring::npos; end = log.find(L"\r\n", start)) {
    const std::wstring line = log.substr(start, end - start);
    std::wsmatch match;
    messages.push_back(std::regex_match(line, match, kLine) ? match[2].str() : L"<not a log line> " + line);
    start = end + 2;
  }
  return messages;
}

std::vector<HWND> ChildrenOf(HWND window) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

// The prefix as the suite needs it, and as it was found afterwards. Wine
// places windows itself, as Windows does: a window manager refuses to
// maximise a window that cannot be resized, and the shell's main window
// cannot be.
class WinePrefix final : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(::GetACP(), 949u) << "the session's Korean code page";
    found_.KeepRegistryText(HKEY_CURRENT_USER, kX11Key, L"Managed");
    found_.KeepRegistryText(HKEY_LOCAL_MACHINE, kRuntimeKey, L"pv");
    found_.SetAside(L"C:\\xampp");
    found_.SetAside(L"C:\\velmoran_pose");
    found_.SetAside(L"C:\\velmoran-road");
    ASSERT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, kX11Key, L"Managed", L"N"));
  }
  void TearDown() override {
    StandInServer::StopAll();
    found_.Restore();
  }

 private:
  static constexpr wchar_t kX11Key[] = L"Software\\Wine\\X11 Driver";
  PrefixState found_;
};

[[maybe_unused]] ::testing::Environment* const kWinePrefix =
    ::testing::AddGlobalTestEnvironment(new WinePrefix);

class WineRoadTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // Whatever a run left running has been ended by now; nothing may remain.
    EXPECT_TRUE(StandInServer::StopAll());
    EXPECT_EQ(ProcessesNamed(L"velmoran.exe"), 0u);
    EXPECT_EQ(ProcessesNamed(L"httpd.exe"), 0u);
  }

  // Closes the main window as the system's close command does, then waits for the exit.
  static void CloseAndExpectCleanEnd(ShellUnderTest& shell, HWND window) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ExpectCleanEnd(shell);
  }
  static void ExpectCleanEnd(ShellUnderTest& shell) {
    DWORD exitCode = 1;
    ASSERT_TRUE(shell.WaitForExit(exitCode)) << "velmoran.exe did not end";
    EXPECT_EQ(exitCode, 0u);
  }
  // Every subscription removed, each of the run's controllers closed with
  // none left, and no object of the runtime alive when the library went.
  static void ExpectRuntimeLetGo(const Transcript& transcript, std::size_t controllers = 1) {
    std::vector<std::string> subscribed = transcript.Values("subscribe");
    std::vector<std::string> unsubscribed = transcript.Values("unsubscribe");
    std::sort(subscribed.begin(), subscribed.end());
    std::sort(unsubscribed.begin(), unsubscribed.end());
    EXPECT_FALSE(subscribed.empty());
    EXPECT_EQ(unsubscribed, subscribed) << transcript.Text();
    EXPECT_EQ(transcript.Values("close"), std::vector<std::string>(controllers, "0")) << transcript.Text();
    EXPECT_EQ(transcript.Values("unload"), std::vector<std::string>{"0"}) << transcript.Text();
  }
};

TEST_F(WineRoadTest, WithTheServerRunningThePageIsServedStoredAndSwitchedToFullScreen) {
  StandInServer server(StandInServer::State::Running);
  RemoveTree(L"C:\\velmoran_pose");
  ShellUnderTest shell(L"road", ShellSetup{true, RoadScenario()});

  const HWND window = shell.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  // The page's own switch comes seconds later; the window is read before it.
  ASSERT_TRUE(WaitUntil([window] { return ::IsZoomed(window) != FALSE; }));
  ASSERT_FALSE(shell.ReadTranscript().Has("page-message", "\"AppExit\"")) << "the page switched too early";
  const WindowState windowed = StateOf(window);
  const MONITORINFO monitor = MonitorOf(window);

  // Maximised with its caption: the client area covers the work area but for the caption bar.
  for (DWORD bit : {DWORD{WS_CAPTION}, DWORD{WS_SYSMENU}, DWORD{WS_MINIMIZEBOX}, DWORD{WS_MAXIMIZEBOX},
                    DWORD{WS_MAXIMIZE}, DWORD{WS_VISIBLE}}) {
    EXPECT_EQ(windowed.style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(windowed.style & WS_THICKFRAME, 0u) << "not resizable by dragging";
  RECT client{};
  ::GetClientRect(window, &client);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_EQ(client.left, monitor.rcWork.left);
  EXPECT_EQ(client.right, monitor.rcWork.right);
  EXPECT_EQ(client.bottom, monitor.rcWork.bottom);
  EXPECT_GT(client.top, monitor.rcWork.top) << "a caption bar above the client area";
  EXPECT_NE(WindowIconSizes(window).find("32x32"), std::string::npos) << "the window offers its icon";

  // The log panel and its splitter are hidden; the host fills the client area.
  HWND host = ::FindWindowExW(window, nullptr, L"TWVWindowParent", nullptr);
  HWND panel = ::FindWindowExW(window, nullptr, L"TPanel", nullptr);
  HWND splitter = ::FindWindowExW(window, nullptr, L"TSplitter", nullptr);
  ASSERT_TRUE(host != nullptr && panel != nullptr && splitter != nullptr);
  EXPECT_EQ(ChildrenOf(window).size(), 3u);
  EXPECT_FALSE(::IsWindowVisible(panel));
  EXPECT_FALSE(::IsWindowVisible(splitter));
  RECT hostRect{};
  ::GetWindowRect(host, &hostRect);
  EXPECT_EQ(Describe(hostRect), Describe(client));
  const HWND memo = ::FindWindowExW(panel, nullptr, L"Edit", nullptr);
  ASSERT_NE(memo, nullptr) << "the log view is the system's edit control";
  const auto memoStyle = static_cast<DWORD>(::GetWindowLongW(memo, GWL_STYLE));
  for (DWORD bit : {DWORD{ES_MULTILINE}, DWORD{WS_HSCROLL}, DWORD{WS_VSCROLL}}) {
    EXPECT_EQ(memoStyle & bit, bit) << std::hex << bit;
  }
  EXPECT_FALSE(::IsWindowVisible(memo));
  EXPECT_EQ(WindowText(memo).substr(0, 2), L"\r\n") << "the initial empty line comes first";

  PaintNow(window);
  const std::string started = Screenshot("started");
  EXPECT_FALSE(started.empty());

  // The server was found running: the browser, in the host window, opens the page's index.
  ASSERT_TRUE(shell.WaitForTranscript("navigate", kIndexUrl)) << shell.ReadTranscript().Text();
  const Transcript opened = shell.ReadTranscript();
  EXPECT_EQ(opened.Values("navigate").front(), kIndexUrl);
  EXPECT_EQ(opened.Values("environment"),
            std::vector<std::string>{Narrow(shell.Folder()) + "\\CustomCache\t" + kSwitches});
  EXPECT_EQ(opened.Values("controller"),
            std::vector<std::string>{Hex(reinterpret_cast<std::uintptr_t>(host))});

  // A capture and the four-image check: files under the capture root, a reply for each.
  ASSERT_TRUE(WaitUntil([&shell] {
    const std::vector<std::string> scripts = shell.ReadTranscript().Values("script");
    return !scripts.empty() && scripts.back().starts_with("img_send_all_");
  })) << shell.ReadTranscript().Text();
  EXPECT_EQ(shell.ReadTranscript().Values("script"),
            (std::vector<std::string>{"img_send_indx_done(1,1)", "img_send_indx_done(1,1)",
                                      "img_send_all_no(\"2,3,4,\")"}));
  const std::wstring captures = kCaptureFolder;
  EXPECT_EQ(ReadWholeFile(captures + L"\\1.png"), Base64Decoded(kPngBase64));
  EXPECT_EQ(ReadWholeFile(captures + L"\\1.json"), kPose);
  EXPECT_EQ(ReadWholeFile(captures + L"\\user.txt"), kMemberInfo) << "UTF-8, no byte-order mark";

  // The page's switch covers the monitor, task bar included, and takes the frame away.
  ASSERT_TRUE(WaitUntil([&] { return IsFullScreen(window, windowed); }))
      << Describe(StateOf(window).bounds) << " style " << std::hex << StateOf(window).style;
  PaintNow(window);
  const std::string fullScreen = Screenshot("fullscreen");
  const auto shot = PngSize(fullScreen);
  ASSERT_TRUE(shot.has_value());
  EXPECT_EQ(shot->width, monitor.rcMonitor.right - monitor.rcMonitor.left);
  EXPECT_EQ(shot->height, monitor.rcMonitor.bottom - monitor.rcMonitor.top);
  // Windowed, the top left corner is the caption bar; in full screen it is the client area, like the centre.
  const int centreX = shot->width / 2;
  const int centreY = shot->height / 2;
  EXPECT_NE(PixelAt(started, 2, 2), PixelAt(started, centreX, centreY));
  EXPECT_EQ(PixelAt(fullScreen, 2, 2), PixelAt(fullScreen, centreX, centreY));
  const std::vector<std::string> bounds = shell.ReadTranscript().Values("bounds");
  ASSERT_FALSE(bounds.empty());
  RECT hostClient{};
  ::GetClientRect(host, &hostClient);
  EXPECT_EQ(bounds.back(),
            "0 0 " + std::to_string(hostClient.right) + " " + std::to_string(hostClient.bottom))
      << "the browser follows the host window";

  // F11, a real key to the real window: back exactly; then in and out once more.
  ASSERT_TRUE(PressKeys(window, "F11"));
  EXPECT_TRUE(WaitUntil([&] { return IsBack(window, windowed); })) << Describe(StateOf(window).bounds);
  ASSERT_TRUE(PressKeys(window, "F11"));
  EXPECT_TRUE(WaitUntil([&] { return IsFullScreen(window, windowed); })) << Describe(StateOf(window).bounds);
  ASSERT_TRUE(PressKeys(window, "F11"));
  EXPECT_TRUE(WaitUntil([&] { return IsBack(window, windowed); })) << Describe(StateOf(window).bounds);
  EXPECT_TRUE(::IsZoomed(window));

  // The log: every line in the file, in the ANSI code page, and in the log view, after its initial empty
  // line.
  const std::wstring log = shell.ErrorLog();
  const std::vector<std::wstring> messages = LoggedMessages(log);
  const std::wstring savePath = L"**** SavePath::C:\\velmoran_pose\\A01\\";
  const std::wstring parsed = L"JSON successfully parsed.::C:\\velmoran_pose\\A01\\\\1.png";
  const std::wstring found =
      L" \uC774\uBBF8\uC9C0 \uD30C\uC77C \uC874\uC7AC \uC644\uB8CC-----------------------------";
  const std::wstring checking = L"\uC6F9\uC5D0\uC11C \uC774\uBBF8\uC9C0 \uD655\uC778  \uC2E4\uD589\uC2DC.";
  const std::wstring received =
      L"***** [][0] Message received: [" + Widen(CaptureMessage("sendAllDataCall")) + L"]";
  EXPECT_EQ(messages, (std::vector<std::wstring>{
                          L"WebMessageReceived triggered", savePath, parsed, found,
                          L"WebMessageReceived triggered", savePath, parsed, found, checking, received, L"2,",
                          L"2,3,", L"2,3,4,", L"WebMessageReceived triggered",
                          L"Failed to parse the string into a JSON object.", L"Failed to parse JSON.--1"}));
  EXPECT_EQ(WindowText(memo), L"\r\n" + log);

  // The log view draws with the window's font: laid out as in an edit given that font, not as with the
  // system's.
  const std::wstring memoText = WindowText(memo);
  const ReferenceEdit asked(L"\uB9D1\uC740 \uACE0\uB515", -11, FW_BOLD, memoText);  // 맑은 고딕
  const ReferenceEdit system(nullptr, 0, 0, memoText);
  const auto memoLayout = MeasureEdit(memo, 1);
  ASSERT_TRUE(memoLayout.has_value());
  EXPECT_EQ(memoLayout, MeasureEdit(asked.Handle(), 1));
  EXPECT_NE(memoLayout, MeasureEdit(system.Handle(), 1));

  CloseAndExpectCleanEnd(shell, window);
  ExpectRuntimeLetGo(shell.ReadTranscript());
}

TEST_F(WineRoadTest, ABrowserWhoseProcessesDieComesBackAndItsCapturesLand) {
  StandInServer server(StandInServer::State::Running);
  RemoveTree(L"C:\\velmoran_pose");
  ShellUnderTest shell(L"process-failure",
                       ShellSetup{true, CaptureMessage("imgSave", 1) + "\ncrash browser 0xC0000005\n" +
                                            CaptureMessage("imgSave", 2) + "\ncrash renderer 3\n" +
                                            CaptureMessage("imgSave", 3) + "\n"});

  const HWND window = shell.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  const HWND host = ::FindWindowExW(window, nullptr, L"TWVWindowParent", nullptr);
  ASSERT_NE(host, nullptr);
  ASSERT_TRUE(shell.WaitForTranscript("script", "img_send_indx_done(3,1)")) << shell.ReadTranscript().Text();

  // The browser process died after the first capture: a new environment, a new
  // controller in the same host window, back at the page; the renderer died
  // after the second: the page was loaded again.
  const Transcript transcript = shell.ReadTranscript();
  EXPECT_EQ(transcript.Values("process-failed"), (std::vector<std::string>{"0\t-1073741819", "1\t3"}));
  EXPECT_EQ(transcript.Count("environment"), 2u);
  EXPECT_EQ(transcript.Values("controller"),
            std::vector<std::string>(2, Hex(reinterpret_cast<std::uintptr_t>(host))));
  EXPECT_EQ(transcript.Values("navigate"), std::vector<std::string>(2, kIndexUrl));
  EXPECT_EQ(transcript.Values("reload"), std::vector<std::string>{kIndexUrl});
  EXPECT_EQ(transcript.Values("script"),
            (std::vector<std::string>{"img_send_indx_done(1,1)", "img_send_indx_done(2,1)",
                                      "img_send_indx_done(3,1)"}));
  const std::wstring captures = kCaptureFolder;
  for (const wchar_t* image : {L"\\1.png", L"\\2.png", L"\\3.png"})
    EXPECT_EQ(ReadWholeFile(captures + image), Base64Decoded(kPngBase64)) << Narrow(image);
  EXPECT_EQ(::FindWindowW(L"#32770", kApplicationTitle), nullptr) << "no message for the user";

  const std::vector<std::wstring> logged = LoggedMessages(shell.ErrorLog());
  for (const std::wstring& line :
       {std::wstring(L"\uBE0C\uB77C\uC6B0\uC800 \uD504\uB85C\uC138\uC2A4 \uC2E4\uD328: \uC885\uB958 0, "
                     L"\uC6D0\uC778 0, \uC885\uB8CC \uCF54\uB4DC -1073741819"),
        L"\uBE0C\uB77C\uC6B0\uC800\uB97C \uB2E4\uC2DC \uC2DC\uC791\uD569\uB2C8\uB2E4: " + Widen(kIndexUrl),
        std::wstring(L"\uBE0C\uB77C\uC6B0\uC800\uB97C \uB2E4\uC2DC \uC2DC\uC791\uD588\uC2B5\uB2C8\uB2E4."),
        std::wstring(L"\uBE0C\uB77C\uC6B0\uC800 \uD504\uB85C\uC138\uC2A4 \uC2E4\uD328: \uC885\uB958 1, "
                     L"\uC6D0\uC778 3, \uC885\uB8CC \uCF54\uB4DC 3"),
        std::wstring(L"\uD398\uC774\uC9C0\uB97C \uB2E4\uC2DC \uBD88\uB7EC\uC635\uB2C8\uB2E4.")}) {
    EXPECT_NE(std::find(logged.begin(), logged.end(), line), logged.end()) << Narrow(line);
  }

  CloseAndExpectCleanEnd(shell, window);
  ExpectRuntimeLetGo(shell.ReadTranscript(), 2);
}

TEST_F(WineRoadTest, ServerStartedByTheShellAndAFailedNavigationIsOnlyLogged) {
  StandInServer server(StandInServer::State::Stopped);
  ShellUnderTest shell(L"started-server", ShellSetup{true, "navigation 1 fails CANNOT_CONNECT\n"});

  const HWND window = shell.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  // The shell started the server itself and so opens the folder's address.
  EXPECT_TRUE(WaitUntil([] { return StandInServer::Running() == 1; }));
  ASSERT_TRUE(shell.WaitForTranscript("navigation-completed", "0\t12")) << shell.ReadTranscript().Text();
  EXPECT_EQ(shell.ReadTranscript().Values("navigate"), std::vector<std::string>{kFolderUrl});
  const std::wstring failed = L"\uD398\uC774\uC9C0 \uC774\uB3D9 \uC2E4\uD328: 12";  // 페이지 이동 실패: 12
  ASSERT_TRUE(WaitUntil([&] { return !LoggedMessages(shell.ErrorLog()).empty(); }));
  EXPECT_EQ(LoggedMessages(shell.ErrorLog()), std::vector<std::wstring>{failed});
  EXPECT_EQ(::FindWindowW(L"#32770", kApplicationTitle), nullptr) << "no message for the user";

  // The caption's close button, clicked with the real mouse.
  ASSERT_TRUE(ClickCloseButton(window));
  ExpectCleanEnd(shell);
  ExpectRuntimeLetGo(shell.ReadTranscript());
}

TEST_F(WineRoadTest, MissingServerIsReportedAndTheBrowserOpensTheResourceAddress) {
  StandInServer server(StandInServer::State::Missing);
  ShellUnderTest shell(L"missing-server", ShellSetup{true, ""});

  const HWND box = shell.WaitForBox(kApplicationTitle);
  ASSERT_NE(box, nullptr);
  // Apache 실행 파일이 없습니다. XAMPP를 설치해 주세요.
  EXPECT_EQ(ShellUnderTest::BoxText(box),
            L"Apache \uC2E4\uD589 \uD30C\uC77C\uC774 \uC5C6\uC2B5\uB2C8\uB2E4. XAMPP\uB97C "
            L"\uC124\uCE58\uD574 \uC8FC\uC138\uC694.");
  ASSERT_TRUE(ShellUnderTest::Dismiss(box));

  const HWND window = shell.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(shell.WaitForTranscript("navigation-completed", "1")) << shell.ReadTranscript().Text();
  EXPECT_EQ(shell.ReadTranscript().Values("navigate"), std::vector<std::string>{kFolderUrl});
  EXPECT_EQ(StandInServer::Running(), 0u) << "nothing was started";
  EXPECT_EQ(shell.ErrorLog(), L"") << "the launcher logs nothing";

  CloseAndExpectCleanEnd(shell, window);
  ExpectRuntimeLetGo(shell.ReadTranscript());
}

struct LoaderFailure {
  const char* name;
  bool runtime;
  const char* scenario;
  const wchar_t* errorMessage;  // the loader's, as its box shows it
};

class LoaderFailureTest : public WineRoadTest, public ::testing::WithParamInterface<LoaderFailure> {};

TEST_P(LoaderFailureTest, LoaderBoxThenTheWindowsBoxThenAWindowWithoutBrowser) {
  const LoaderFailure& failure = GetParam();
  StandInServer server(StandInServer::State::Running);
  ShellUnderTest shell(Widen(failure.name), ShellSetup{failure.runtime, failure.scenario});

  const HWND loaderBox = shell.WaitForBox(kLoaderBoxCaption);
  ASSERT_NE(loaderBox, nullptr);
  EXPECT_EQ(ShellUnderTest::BoxText(loaderBox), failure.errorMessage);
  ASSERT_TRUE(ShellUnderTest::Dismiss(loaderBox));
  const HWND windowBox = shell.WaitForBox(kApplicationTitle);
  ASSERT_NE(windowBox, nullptr);
  EXPECT_EQ(ShellUnderTest::BoxText(windowBox),
            L"Initialization Error: " + std::wstring(failure.errorMessage));
  ASSERT_TRUE(ShellUnderTest::Dismiss(windowBox));

  const HWND window = shell.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  const HWND host = ::FindWindowExW(window, nullptr, L"TWVWindowParent", nullptr);
  EXPECT_NE(host, nullptr);
  EXPECT_TRUE(shell.ReadTranscript().Values("controller").empty()) << "no browser";

  CloseAndExpectCleanEnd(shell, window);
  if (failure.runtime) {
    EXPECT_EQ(shell.ReadTranscript().Values("unload"), std::vector<std::string>{"0"});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LoaderFailureTest,
    ::testing::Values(LoaderFailure{"NoRuntime", false, "",
                                    L"WebView2 Runtime is not installed correctly.\r\n"
                                    L"Download and run the Evergreen Standalone Installer from \r\n"
                                    L"https://developer.microsoft.com/microsoft-edge/webview2/\r\n"},
                      LoaderFailure{"EnvironmentRefused", true,
                                    "fail CreateCoreWebView2EnvironmentWithOptions 0x80070005\n",
                                    L"There was an error creating the browser environment. (1)\r\n"
                                    L"Error code : 0x80070005\r\n"
                                    L"Unable to create user data folder, Access Denied.\r\n"}),
    CaseName());

}  // namespace
}  // namespace velmoran::test
