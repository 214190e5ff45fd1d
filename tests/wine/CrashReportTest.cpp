// velmoran.exe crashing under Wine, black box: the runtime double hands the
// shell a web message whose text points into memory that does not exist, and
// the shell must leave a report folder beside itself (a minidump a debugger
// can read, the text report, the window's picture) and end with the
// exception's code.

#include <windows.h>
#include <gtest/gtest.h>

// After windows.h, whose types it uses.
#include <dbghelp.h>

#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "crash/win32/BugReportControls.h"
#include "tests/wine/Polling.h"
#include "tests/wine/ShellUnderTest.h"
#include "tests/wine/StandInServer.h"
#include "tests/wine/WineText.h"

namespace velmoran::test {
namespace {

constexpr DWORD kAccessViolationCode = 0xC0000005;
constexpr ULONG32 kDumpSignature = 0x504D444D;  // "MDMP" read little-endian
// A message the shell only logs, then, a moment later (so the window is seen
// before the crash), the one that crashes it.
constexpr char kCrashScenario[] = "!unreadable\nwait 1500\n!invalid-pointer\n";

std::vector<std::wstring> SubfoldersOf(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." && name != L"..") {
      names.push_back(name);
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

template <typename T>
bool ReadAt(const std::string& bytes, std::size_t at, T& value) {
  if (at > bytes.size() || bytes.size() - at < sizeof(T)) return false;
  std::memcpy(&value, bytes.data() + at, sizeof(T));
  return true;
}

// What the test reads from a minidump's streams, through the file format alone.
struct DumpContents {
  std::string problem;  // empty when the file could be read
  std::vector<DWORD> exceptionCodes;
  std::vector<std::wstring> modules;
  USHORT processorArchitecture = PROCESSOR_ARCHITECTURE_UNKNOWN;
};

DumpContents ReadDump(const std::string& bytes) {
  DumpContents dump;
  MINIDUMP_HEADER header{};
  if (!ReadAt(bytes, 0, header) || header.Signature != kDumpSignature) {
    dump.problem = "no MDMP signature";
    return dump;
  }
  for (ULONG32 i = 0; i < header.NumberOfStreams; ++i) {
    MINIDUMP_DIRECTORY entry{};
    if (!ReadAt(bytes, header.StreamDirectoryRva + i * sizeof(entry), entry)) {
      dump.problem = "the stream directory runs past the end";
      return dump;
    }
    if (entry.StreamType == ExceptionStream) {
      MINIDUMP_EXCEPTION_STREAM exception{};
      if (ReadAt(bytes, entry.Location.Rva, exception)) {
        dump.exceptionCodes.push_back(exception.ExceptionRecord.ExceptionCode);
      }
    } else if (entry.StreamType == SystemInfoStream) {
      MINIDUMP_SYSTEM_INFO system{};
      if (ReadAt(bytes, entry.Location.Rva, system))
        dump.processorArchitecture = system.ProcessorArchitecture;
    } else if (entry.StreamType == ModuleListStream) {
      ULONG32 count = 0;
      ReadAt(bytes, entry.Location.Rva, count);
      for (ULONG32 m = 0; m < count; ++m) {
        MINIDUMP_MODULE module{};
        ULONG32 nameBytes = 0;
        if (!ReadAt(bytes, entry.Location.Rva + sizeof(count) + m * sizeof(MINIDUMP_MODULE), module) ||
            !ReadAt(bytes, module.ModuleNameRva, nameBytes) ||
            bytes.size() - module.ModuleNameRva - sizeof(nameBytes) < nameBytes) {
          dump.problem = "a module entry runs past the end";
          return dump;
        }
        std::wstring name(nameBytes / sizeof(wchar_t), L'\0');
        std::memcpy(name.data(), bytes.data() + module.ModuleNameRva + sizeof(nameBytes),
                    name.size() * sizeof(wchar_t));
        dump.modules.push_back(name);
      }
    }
  }
  return dump;
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() &&
         ::lstrcmpiW(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

// Wine's debugger reading a dump without anyone at the keyboard: the
// commands come through its standard input, its answers through its output.
std::string DebuggerOnDump(const std::wstring& dump, const std::string& commands) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE inputRead = nullptr;
  HANDLE inputWrite = nullptr;
  HANDLE outputRead = nullptr;
  HANDLE outputWrite = nullptr;
  if (!::CreatePipe(&inputRead, &inputWrite, &inherit, 0)) return {};
  if (!::CreatePipe(&outputRead, &outputWrite, &inherit, 0)) return {};
  ::SetHandleInformation(inputWrite, HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(outputRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inputRead;
  startup.hStdOutput = outputWrite;
  startup.hStdError = outputWrite;
  PROCESS_INFORMATION process{};
  std::wstring line = L"winedbg.exe \"" + dump + L"\"";
  const BOOL started =
      ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  ::CloseHandle(inputRead);
  ::CloseHandle(outputWrite);
  std::string output;
  if (started) {
    DWORD written = 0;
    ::WriteFile(inputWrite, commands.data(), static_cast<DWORD>(commands.size()), &written, nullptr);
    ::CloseHandle(inputWrite);
    inputWrite = nullptr;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(outputRead, buffer, sizeof(buffer), &got, nullptr) && got > 0)
      output.append(buffer, got);
    ::WaitForSingleObject(process.hProcess, kPatience);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
  }
  if (inputWrite != nullptr) ::CloseHandle(inputWrite);
  ::CloseHandle(outputRead);
  return output;
}

// A copy in $VELMORAN_ARTIFACTS, for a person to look at.
void KeepForPeople(const std::wstring& file, const std::string& name) {
  const char* folder = std::getenv("VELMORAN_ARTIFACTS");
  if (folder != nullptr && *folder != '\0') {
    ::CopyFileW(file.c_str(), WinePathOf(std::string(folder) + "/" + name).c_str(), FALSE);
  }
}

// The bug-report window of that process, once it is shown, or nullptr.
HWND WaitForBugReportWindow(DWORD processId) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window = ::FindWindowW(crash::kBugReportWindowClass, nullptr); window != nullptr;
         window = ::FindWindowExW(nullptr, window, crash::kBugReportWindowClass, nullptr)) {
      if (BelongsTo(window, processId) && ::IsWindowVisible(window)) found = window;
    }
    return found != nullptr;
  });
  return found;
}

// A click on one of the window's buttons, as the button tells its window.
void Press(HWND window, int button) {
  ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(window, button)));
}

class CrashReportTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_TRUE(StandInServer::StopAll());
    EXPECT_EQ(ProcessesNamed(L"velmoran.exe"), 0u);
  }
};

TEST_F(CrashReportTest, AnAccessViolationLeavesItsReportFolderAndEndsTheShellWithItsCode) {
  StandInServer server(StandInServer::State::Running);
  ShellUnderTest shell(L"crash", ShellSetup{true, kCrashScenario});
  const HWND window = shell.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([window] { return ::IsZoomed(window) != FALSE; }));
  RECT bounds{};
  ::GetWindowRect(window, &bounds);

  // The bug-report window, its caption, and the report in its detail view;
  // by then the folder is complete.
  const HWND bugReport = WaitForBugReportWindow(shell.ProcessId());
  ASSERT_NE(bugReport, nullptr) << "no bug-report window";
  EXPECT_EQ(WindowText(bugReport), crash::kBugReportCaption);
  EXPECT_NE(
      WindowText(::GetDlgItem(bugReport, crash::kDetailEdit)).find(L"0xC0000005 EXCEPTION_ACCESS_VIOLATION"),
      std::wstring::npos);
  const std::wstring reports = shell.Folder() + L"\\bugreports";
  const std::vector<std::wstring> folders = SubfoldersOf(reports);
  ASSERT_EQ(folders.size(), 1u);
  for (const wchar_t* file : {L"minidump.dmp", L"report.txt", L"screenshot.png"}) {
    EXPECT_TRUE(FileExists(reports + L"\\" + folders[0] + L"\\" + file)) << Narrow(file);
  }

  // Closing it ends the shell with the exception's code.
  Press(bugReport, crash::kCloseButton);
  DWORD exitCode = 0;
  ASSERT_TRUE(shell.WaitForExit(exitCode)) << "velmoran.exe did not end";
  EXPECT_EQ(exitCode, kAccessViolationCode) << std::hex << exitCode;
  EXPECT_TRUE(shell.ReadTranscript().Has("page-message", "!invalid-pointer"));
  EXPECT_TRUE(std::regex_match(Narrow(folders[0]), std::regex(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d)")))
      << Narrow(folders[0]);
  const std::wstring folder = reports + L"\\" + folders[0];

  // The minidump: the exception with its code, the modules with the executable among them.
  const DumpContents dump = ReadDump(ReadWholeFile(folder + L"\\minidump.dmp"));
  EXPECT_EQ(dump.problem, "");
  EXPECT_EQ(dump.exceptionCodes, std::vector<DWORD>{kAccessViolationCode});
  EXPECT_EQ(dump.processorArchitecture,
            sizeof(void*) == 8 ? PROCESSOR_ARCHITECTURE_AMD64 : PROCESSOR_ARCHITECTURE_INTEL);
  bool executableListed = false;
  for (const std::wstring& module : dump.modules)
    executableListed = executableListed || EndsWith(module, L"\\velmoran.exe");
  EXPECT_TRUE(executableListed) << dump.modules.size() << " modules";
  // And a debugger reads it: the failing thread's stack, down from the executable.
  const std::string debugger = DebuggerOnDump(folder + L"\\minidump.dmp", "bt\nquit\n");
  // (winedbg writes an x64 address with fourteen digits.)
  EXPECT_TRUE(std::regex_search(debugger, std::regex(R"(=>0 0x[0-9a-f]{8,16} in velmoran )"))) << debugger;

  // The text report, UTF-8 behind a byte-order mark.
  KeepForPeople(folder + L"\\report.txt", "crash-report.txt");
  KeepForPeople(folder + L"\\screenshot.png", "crash-screenshot.png");
  const std::string report = ReadWholeFile(folder + L"\\report.txt");
  ASSERT_EQ(report.rfind("\xEF\xBB\xBF", 0), 0u) << report;
  // Addresses have the shell's pointer width; offsets in a module eight digits.
  const std::string address = "0x[0-9A-F]{" + std::to_string(2 * sizeof(void*)) + "}";
  const std::string faultAddress = "0x" + std::string(2 * sizeof(void*) - 4, '0') + "FFF0";
  for (const std::string& pattern : {
           std::string(R"(Exception: +0xC0000005 EXCEPTION_ACCESS_VIOLATION)"),
           "Detail: +reading address " + faultAddress,
           "Address: +" + address + R"( velmoran\.exe\+0x[0-9A-F]{8})",
           std::string(R"(Thread: +\d+ \(user-interface thread\))"),
           std::string(R"(Executable version: +26\.4\.28\.0)"),
           std::string(R"(Windows: +\d+\.\d+\.\d+.*\(Wine .+\))"),
           std::string(R"(Browser runtime: +135\.0\.3179\.45)"),
           "  #0  " + address + R"(  velmoran\.exe\+0x[0-9A-F]{8}.*)",
           "  #1  " + address + "  .+",
           "  " + address + R"(  0x[0-9A-F]{8}  26\.4\.28\.0  .*\\velmoran\.exe)",
           "  " + address + R"(  0x[0-9A-F]{8}  1\.0\.3179\.45  .*\\WebView2Loader\.dll)",
       }) {
    EXPECT_TRUE(std::regex_search(report, std::regex(std::string("(^|\r\n)") + pattern + "\r\n")))
        << pattern << "\n"
        << report;
  }
  // The activity log's newest line, as errlog.txt has it too.
  std::wstring errlog = shell.ErrorLog();
  if (errlog.ends_with(L"\r\n")) errlog.resize(errlog.size() - 2);
  const std::size_t lastStart = errlog.rfind(L"\r\n");
  const std::wstring lastLine = errlog.substr(lastStart == std::wstring::npos ? 0 : lastStart + 2);
  ASSERT_FALSE(lastLine.empty());
  EXPECT_NE(report.find("  " + Narrow(lastLine)), std::string::npos) << Narrow(lastLine) << "\n" << report;

  // The window's picture: a PNG of the window's size.
  const std::string png = ReadWholeFile(folder + L"\\screenshot.png");
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian32(png, 16), static_cast<std::uint32_t>(bounds.right - bounds.left));
  EXPECT_EQ(BigEndian32(png, 20), static_cast<std::uint32_t>(bounds.bottom - bounds.top));
}

TEST_F(CrashReportTest, RestartStartsTheShellAgainFromItsFolder) {
  StandInServer server(StandInServer::State::Running);
  ShellUnderTest shell(L"crash-restart", ShellSetup{true, kCrashScenario});
  const HWND bugReport = WaitForBugReportWindow(shell.ProcessId());
  ASSERT_NE(bugReport, nullptr) << "no bug-report window";
  Press(bugReport, crash::kRestartButton);
  DWORD exitCode = 0;
  ASSERT_TRUE(shell.WaitForExit(exitCode)) << "velmoran.exe did not end";
  EXPECT_EQ(exitCode, kAccessViolationCode) << std::hex << exitCode;

  // A new shell: its own main window. It inherited the scenario, so it
  // crashes the same way and leaves a second folder beside the same executable.
  HWND again = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    again = ::FindWindowW(nullptr, kMainWindowTitle);
    return again != nullptr && !BelongsTo(again, shell.ProcessId());
  })) << "no new main window";
  DWORD newProcessId = 0;
  ::GetWindowThreadProcessId(again, &newProcessId);
  const HANDLE newProcess =
      ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, newProcessId);
  ASSERT_NE(newProcess, nullptr);
  const HWND secondReport = WaitForBugReportWindow(newProcessId);
  EXPECT_NE(secondReport, nullptr);
  EXPECT_EQ(SubfoldersOf(shell.Folder() + L"\\bugreports").size(), 2u);
  if (secondReport != nullptr) Press(secondReport, crash::kCloseButton);
  if (::WaitForSingleObject(newProcess, kPatience) != WAIT_OBJECT_0) ::TerminateProcess(newProcess, 1);
  DWORD newExitCode = 0;
  ::GetExitCodeProcess(newProcess, &newExitCode);
  ::CloseHandle(newProcess);
  EXPECT_EQ(newExitCode, kAccessViolationCode) << std::hex << newExitCode;
}

}  // namespace
}  // namespace velmoran::test
