#include "tests/wine/ShellUnderTest.h"

#include <tlhelp32.h>

#include <stdexcept>

#include "tests/wine/Polling.h"
#include "tests/wine/PrefixState.h"
#include "tests/wine/WineText.h"

namespace velmoran::test {
namespace {

constexpr wchar_t kRunsFolder[] = L"C:\\velmoran-road";
constexpr wchar_t kScenarioVariable[] = L"VELMORAN_RUNTIME_SCENARIO";
constexpr wchar_t kTranscriptVariable[] = L"VELMORAN_RUNTIME_TRANSCRIPT";
constexpr wchar_t kRuntimeVersion[] = L"135.0.3179.45";
constexpr unsigned kKoreanCodePage = 949;

void RegisterRuntime(bool registered) {
  if (!registered) {
    ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRuntimeKey, L"pv");
  } else if (!WriteRegistryText(HKEY_LOCAL_MACHINE, kRuntimeKey, L"pv", kRuntimeVersion)) {
    throw std::runtime_error("cannot register the runtime");
  }
}

void Place(const char* unixSource, const std::wstring& target) {
  if (!::CopyFileW(WinePathOf(unixSource).c_str(), target.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + std::string(unixSource));
  }
}

}  // namespace

ShellUnderTest::ShellUnderTest(const std::wstring& name, const ShellSetup& setup)
    : folder_(std::wstring(kRunsFolder) + L"\\" + name), transcript_(folder_ + L"\\transcript.txt") {
  ::CreateDirectoryW(kRunsFolder, nullptr);
  RemoveTree(folder_);
  if (!::CreateDirectoryW(folder_.c_str(), nullptr)) throw std::runtime_error("cannot make the run's folder");
  const std::wstring executable = folder_ + L"\\velmoran.exe";
  Place(VELMORAN_EXE, executable);
  if (setup.runtime) Place(VELMORAN_RUNTIME_DOUBLE, folder_ + L"\\WebView2Loader.dll");
  RegisterRuntime(setup.runtime);
  const std::wstring scenario = folder_ + L"\\scenario.txt";
  WriteWholeFile(scenario, setup.scenario);

  // The shell inherits them; the double reads them when the shell first calls it.
  ::SetEnvironmentVariableW(kScenarioVariable, scenario.c_str());
  ::SetEnvironmentVariableW(kTranscriptVariable, transcript_.c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring line = L"\"" + executable + L"\"";
  const BOOL started = ::CreateProcessW(executable.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        folder_.c_str(), &startup, &process_);
  ::SetEnvironmentVariableW(kScenarioVariable, nullptr);
  ::SetEnvironmentVariableW(kTranscriptVariable, nullptr);
  if (!started) throw std::runtime_error("cannot start velmoran.exe");
}

ShellUnderTest::~ShellUnderTest() {
  if (Running()) {
    ::TerminateProcess(process_.hProcess, 255);
    ::WaitForSingleObject(process_.hProcess, kPatience);
  }
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
}

bool ShellUnderTest::Running() const { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

HWND ShellUnderTest::WaitForMainWindow() {
  HWND found = nullptr;
  WaitUntil([&] {
    found = nullptr;
    for (HWND window = ::FindWindowW(nullptr, kMainWindowTitle); window != nullptr;
         window = ::FindWindowExW(nullptr, window, nullptr, kMainWindowTitle)) {
      if (BelongsTo(window, ProcessId()) && ::IsWindowVisible(window)) found = window;
    }
    return found != nullptr || !Running();
  });
  return found;
}

HWND ShellUnderTest::WaitForBox(const std::wstring& caption) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND box = ::FindWindowW(L"#32770", caption.c_str()); box != nullptr;
         box = ::FindWindowExW(nullptr, box, L"#32770", caption.c_str())) {
      if (BelongsTo(box, ProcessId()) && ::IsWindowVisible(box)) found = box;
    }
    return found != nullptr || !Running();
  });
  return found;
}

std::wstring ShellUnderTest::BoxText(HWND box) {
  // The text is the box's one static control with text; the icon's has none.
  for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Static") != 0) continue;
    std::wstring text = WindowText(child);
    if (!text.empty()) return text;
  }
  return {};
}

bool ShellUnderTest::Dismiss(HWND box) {
  HWND button = ::GetDlgItem(box, IDOK);
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return WaitUntil([box] { return !::IsWindow(box); });
}

bool ShellUnderTest::WaitForExit(DWORD& exitCode) {
  if (::WaitForSingleObject(process_.hProcess, kPatience) != WAIT_OBJECT_0) return false;
  return ::GetExitCodeProcess(process_.hProcess, &exitCode) != FALSE;
}

bool ShellUnderTest::WaitForTranscript(const std::string& event, const std::string& value) {
  return WaitUntil([&] { return ReadTranscript().Has(event, value); });
}

std::wstring ShellUnderTest::ErrorLog() const {
  return FromCodePage(ReadWholeFile(folder_ + L"\\errlog.txt"), kKoreanCodePage);
}

bool BelongsTo(HWND window, DWORD processId) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  return owner == processId;
}

std::wstring WindowText(HWND window) {
  const LRESULT length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::size_t ProcessesNamed(const std::wstring& image) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  std::size_t count = 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, image.c_str()) == 0) ++count;
  }
  ::CloseHandle(snapshot);
  return count;
}

}  // namespace velmoran::test
