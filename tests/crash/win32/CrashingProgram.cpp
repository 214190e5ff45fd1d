// A program that crashes on request, with the shell's crash handlers
// installed and a bug-report window of its own, for the handlers' tests:
//
//   velmoran_crashing_program <way> [close|restart]
//
// The way names what goes wrong (see Crash below). Its "window" records what
// it was handed in window.txt in the working folder and answers the choice
// (close when none is given). Started without arguments, as a restart starts
// it, it writes restarted.txt in its working folder and ends with 0.

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

#include "base/Text.h"
#include "crash/win32/BugReportWindow.h"
#include "crash/win32/CrashHandlers.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32WindowManager.h"

namespace {

using velmoran::crash::BugReport;
using velmoran::crash::BugReportChoice;

std::wstring g_choice;
HWND g_mainWindow = nullptr;

void WriteFileText(const wchar_t* path, const std::string& text) {
  const HANDLE file =
      ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

// Never inlined into its caller, so the stack shows it.
// The address is read at run time, so the compiler cannot see (and refuse) the bad write.
volatile std::uintptr_t g_nowhere = 0x10;

[[gnu::noinline]] void WriteToNowhere() { *reinterpret_cast<volatile int*>(g_nowhere) = 1; }

void (*volatile g_noFunction)() = nullptr;

// Each call takes a kilobyte of stack; the recursion ends only where the
// stack would (the bound is read at run time, so the compiler sees an end).
volatile int g_deepest = 1 << 30;

[[gnu::noinline]] int Deeper(int depth) {
  volatile char frame[1024];
  frame[0] = static_cast<char>(depth);
  if (depth >= g_deepest) return frame[0];
  return Deeper(depth + 1) + frame[0];
}

class ThrowingProcedure final : public velmoran::platform::WindowProcedure {
 public:
  std::intptr_t WindowProc(velmoran::platform::WindowHandle window, std::uint32_t message,
                           std::uintptr_t wParam, std::intptr_t lParam) override {
    if (message == WM_USER) throw std::runtime_error("thrown inside a window procedure");
    return ::DefWindowProcW(reinterpret_cast<HWND>(window), message, wParam, lParam);
  }
};

int Crash(const std::wstring& way) {
  // The ways named after what follows the crash start with an access violation.
  if (way == L"access-violation" || way == L"broken-sources" || way == L"restart" || way == L"window-crash") {
    WriteToNowhere();
  } else if (way == L"stack-overflow") {
    return Deeper(0);
  } else if (way == L"null-call") {
    g_noFunction();
  } else if (way == L"other-thread") {
    std::thread([] { WriteToNowhere(); }).join();
  } else if (way == L"two-threads") {
    // Both fault at once; one report, the other thread waits for the end.
    std::thread first([] { WriteToNowhere(); });
    std::thread second([] { WriteToNowhere(); });
    first.join();
    second.join();
  } else if (way == L"uncaught") {
    throw std::runtime_error("nobody catches this");
  } else if (way == L"window-procedure") {
    static ThrowingProcedure procedure;
    velmoran::platform::win32::Win32WindowManager windows;
    velmoran::platform::WindowCreation creation;
    creation.className = u"VelmoranCrashingWindow";
    creation.style = WS_OVERLAPPEDWINDOW;
    creation.bounds = {0, 0, 200, 100};
    creation.procedure = &procedure;
    const auto window = reinterpret_cast<HWND>(windows.CreateWindowExW(creation));
    ::SendMessageW(window, WM_USER, 0, 0);
  } else if (way == L"invalid-parameter") {
    // What the C runtime's checks call when a function is given a bad argument.
    if (const _invalid_parameter_handler handler = _get_invalid_parameter_handler())
      handler(nullptr, nullptr, nullptr, 0, 0);
  } else if (way == L"pure-call") {
    // What the C runtime's _purecall calls; the handler is read back by setting it again.
    const _purecall_handler handler = _set_purecall_handler(nullptr);
    _set_purecall_handler(handler);
    if (handler != nullptr) handler();
  }
  return 3;  // nothing crashed
}

}  // namespace

// The bug-report window of this program: it notes what it was given.
BugReportChoice velmoran::crash::ShowBugReportWindow(const BugReport& report) {
  std::string note = "folder " + velmoran::Utf16ToUtf8(report.folder) + "\r\n";
  note += "report " + std::to_string(report.reportText.size()) + "\r\n";
  note += "screenshot " + std::to_string(report.screenshot.width) + "x" +
          std::to_string(report.screenshot.height) + "\r\n";
  WriteFileText(L"window.txt", note);
  // A crash of its own code: the process must still end with the first crash's.
  if (g_choice == L"window-crash") ::RaiseException(0xE0000123, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  return g_choice == L"restart" ? BugReportChoice::kRestart : BugReportChoice::kClose;
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    WriteFileText(L"restarted.txt", "restarted\r\n");
    return 0;
  }
  const std::wstring way = argv[1];
  g_choice = way;
  g_mainWindow = ::CreateWindowExW(0, L"STATIC", L"crashing program", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200,
                                   nullptr, nullptr, nullptr, nullptr);
  velmoran::crash::CrashSources sources;
  sources.logLines = [] { return std::vector<std::u16string>{u"first line", u"last line 마지막"}; };
  sources.runtimeVersion = [] { return std::u16string(u"135.0.3179.45"); };
  sources.mainWindow = [] { return reinterpret_cast<std::uintptr_t>(g_mainWindow); };
  if (way == L"broken-sources") {
    // One source crashes, one never answers: the report goes on without them.
    sources.logLines = [] {
      WriteToNowhere();
      return std::vector<std::u16string>();
    };
    sources.runtimeVersion = [] {
      ::Sleep(INFINITE);
      return std::u16string();
    };
  }
  velmoran::crash::win32::InstallCrashHandlers(std::move(sources));
  return Crash(way);
}
