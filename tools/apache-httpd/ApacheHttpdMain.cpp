// httpd.exe for running the shell under Wine against a real web server: it
// runs Debian's Apache through scripts/run-apache.sh (the project's own
// configuration, serving www/ at http://localhost/www/) and lives exactly as
// long as Apache does:
//
//   - Apache ends (stopped, failed to start, port taken): httpd.exe ends too,
//     with Apache's exit code.
//   - httpd.exe is asked to close (WM_CLOSE to its hidden window, which is what
//     "taskkill /im httpd.exe" without /f sends): it asks Apache to stop and
//     ends once Apache has ended.
//   - httpd.exe is killed (TerminateProcess, "taskkill /f", "wineserver -k"):
//     its end of the socket closes with it and the runner stops Apache.
//
// Arguments are ignored; the shell's launcher passes none. Copy it to
// C:\xampp\apache\bin\ in the Wine prefix. It finds the runner by the source
// tree's path compiled in, so it only runs on the machine that built it.

#include <winsock2.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tools/apache-httpd/LoopbackSocketPair.h"
#include "tools/apache-httpd/TiedRunner.h"

namespace {

// Top-level and hidden: a message-only window would be invisible to taskkill,
// which ends a process gently by closing its top-level windows.
constexpr wchar_t kClassName[] = L"VelmoranApacheHttpd";
constexpr UINT kTieMessage = WM_APP + 1;
constexpr UINT_PTR kStopTimer = 1;
// Apache stops its workers within a few seconds; past this, give up waiting.
constexpr UINT kStopTimeoutMs = 15000;
constexpr int kExitRunnerNotStarted = 2;
constexpr int kExitNoSocket = 3;
constexpr int kExitNoReport = 4;

// The one tie of this process to the runner, and what the runner wrote on it
// (a last line "apache-exit N").
SOCKET g_tie = INVALID_SOCKET;
std::string g_report;

void ReportFailure(const std::wstring& what, DWORD code) {
  const HANDLE standardError = ::GetStdHandle(STD_ERROR_HANDLE);
  if (standardError == nullptr || standardError == INVALID_HANDLE_VALUE) return;
  const std::wstring line = L"httpd.exe: " + what + L" (error " + std::to_wstring(code) + L")\n";
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size, nullptr,
                        nullptr);
  DWORD written = 0;
  ::WriteFile(standardError, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

int ExitCodeFromReport() {
  const std::string marker = "apache-exit ";
  const size_t at = g_report.rfind(marker);
  if (at == std::string::npos) return kExitNoReport;
  return std::atoi(g_report.c_str() + at + marker.size());
}

void ReadWhatIsThere() {
  char buffer[256];
  int received = 0;
  while ((received = ::recv(g_tie, buffer, sizeof(buffer), 0)) > 0) {
    g_report.append(buffer, static_cast<size_t>(received));
    // Only the last line matters; keep the buffer small whatever arrives.
    if (g_report.size() > 4096) g_report.erase(0, g_report.size() - 256);
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kTieMessage:
      ReadWhatIsThere();
      // The runner closes its end only once Apache has ended.
      if (WSAGETSELECTEVENT(lParam) == FD_CLOSE) ::DestroyWindow(window);
      return 0;
    case WM_CLOSE:
      // Ask rather than kill: the runner stops Apache when its input ends.
      ::shutdown(g_tie, SD_SEND);
      ::SetTimer(window, kStopTimer, kStopTimeoutMs, nullptr);
      return 0;
    case WM_TIMER:
      if (wParam == kStopTimer) ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(ExitCodeFromReport());
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND CreateHiddenWindow(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (::RegisterClassExW(&windowClass) == 0) return nullptr;
  return ::CreateWindowExW(0, kClassName, L"httpd", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr,
                           instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WSADATA winsock{};
  if (::WSAStartup(MAKEWORD(2, 2), &winsock) != 0) return kExitNoSocket;
  const LoopbackSocketPair pair = OpenLoopbackSocketPair();
  if (pair.ours == INVALID_SOCKET) {
    ReportFailure(L"cannot open a loopback socket pair", static_cast<DWORD>(::WSAGetLastError()));
    return kExitNoSocket;
  }
  g_tie = pair.ours;
  const bool started = StartTiedRunner(pair.theirs);
  const DWORD startError = ::GetLastError();
  // The runner holds its own copy now; ours must go, or its end would never close.
  ::closesocket(pair.theirs);
  if (!started) {
    ReportFailure(L"cannot start " + RunnerPath(), startError);
    ::closesocket(g_tie);
    return kExitRunnerNotStarted;
  }
  // Without a display (Wine with no X server) there is no window to close
  // gently; httpd.exe then ends with Apache or when it is killed.
  const HWND window = CreateHiddenWindow(instance);
  if (window == nullptr) {
    ReadWhatIsThere();
    ::closesocket(g_tie);
    ::WSACleanup();
    return ExitCodeFromReport();
  }
  if (::WSAAsyncSelect(g_tie, window, kTieMessage, FD_READ | FD_CLOSE) != 0) {
    ReportFailure(L"cannot watch the socket", static_cast<DWORD>(::WSAGetLastError()));
    ::closesocket(g_tie);  // the runner sees it close and stops Apache
    return kExitNoSocket;
  }
  MSG message;
  int exitCode = kExitNoReport;
  BOOL got = 0;
  while ((got = ::GetMessageW(&message, nullptr, 0, 0)) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  if (got == 0) exitCode = static_cast<int>(message.wParam);
  ::closesocket(g_tie);
  ::WSACleanup();
  return exitCode;
}
