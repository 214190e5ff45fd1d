#pragma once

// One run of the real velmoran.exe, black box: copied into a fresh folder of
// its own under C:\ (it writes errlog.txt and CustomCache beside itself),
// with the runtime double beside it and registered or neither, started with a
// scenario and a transcript for the double, and watched through its windows,
// its files and the transcript. A run still going when the object goes is
// killed, so no process outlives its test.

#include <windows.h>

#include <string>

#include "tests/wine/Transcript.h"

namespace velmoran::test {

inline constexpr wchar_t kMainWindowTitle[] = L"\uBCA8\uBAA8\uB780 V.26.04.28";  // 벨모란 V.26.04.28
inline constexpr wchar_t kApplicationTitle[] = L"\uBCA8\uBAA8\uB780-VELMORAN";   // 벨모란-VELMORAN
inline constexpr wchar_t kLoaderBoxCaption[] = L"Error";
// Where the shell looks for the runtime's version ("pv").
inline constexpr wchar_t kRuntimeKey[] =
    L"SOFTWARE\\Microsoft\\EdgeUpdate\\Clients\\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}";

struct ShellSetup {
  bool runtime = true;   // the double beside the executable and the runtime registered
  std::string scenario;  // the double's scenario, UTF-8
};

class ShellUnderTest {
 public:
  ShellUnderTest(const std::wstring& name, const ShellSetup& setup);
  ~ShellUnderTest();
  ShellUnderTest(const ShellUnderTest&) = delete;
  ShellUnderTest& operator=(const ShellUnderTest&) = delete;

  const std::wstring& Folder() const { return folder_; }
  DWORD ProcessId() const { return process_.dwProcessId; }

  // The main window once it is shown, or nullptr.
  HWND WaitForMainWindow();
  // A message box of this run with that caption, or nullptr.
  HWND WaitForBox(const std::wstring& caption);
  static std::wstring BoxText(HWND box);
  // Presses the box's OK button and waits until the box is gone.
  static bool Dismiss(HWND box);

  // Waits for the process to end; its exit code, or nothing.
  bool WaitForExit(DWORD& exitCode);
  bool Running() const;

  Transcript ReadTranscript() const { return Transcript::Read(transcript_); }
  // Waits until the transcript holds that line.
  bool WaitForTranscript(const std::string& event, const std::string& value);
  // errlog.txt beside the executable, read in the ANSI code page 949.
  std::wstring ErrorLog() const;

 private:
  std::wstring folder_;
  std::wstring transcript_;
  PROCESS_INFORMATION process_{};
};

// Windows of a process: top-level windows that belong to it.
bool BelongsTo(HWND window, DWORD processId);
// The text of a window of any process (WM_GETTEXT crosses processes).
std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
// Processes running now with that image name, compared without case.
std::size_t ProcessesNamed(const std::wstring& image);

}  // namespace velmoran::test
