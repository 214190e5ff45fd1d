#include "tests/wine/StandInServer.h"

#include <stdexcept>
#include <vector>

#include "tests/wine/Polling.h"
#include "tests/wine/WineText.h"

namespace velmoran::test {
namespace {

constexpr wchar_t kServerFolder[] = L"C:\\xampp\\apache\\bin";
constexpr wchar_t kServerPath[] = L"C:\\xampp\\apache\\bin\\httpd.exe";
// The stand-in's hidden top-level window (tools/standin-httpd).
constexpr wchar_t kServerWindowClass[] = L"VelmoranStandInHttpd";

std::vector<HWND> ServerWindows() {
  std::vector<HWND> windows;
  for (HWND window = ::FindWindowW(kServerWindowClass, nullptr); window != nullptr;
       window = ::FindWindowExW(nullptr, window, kServerWindowClass, nullptr)) {
    windows.push_back(window);
  }
  return windows;
}

}  // namespace

StandInServer::StandInServer(State state) {
  StopAll();
  ::CreateDirectoryW(L"C:\\xampp", nullptr);
  ::CreateDirectoryW(L"C:\\xampp\\apache", nullptr);
  ::CreateDirectoryW(kServerFolder, nullptr);
  if (state == State::Missing) {
    ::DeleteFileW(kServerPath);
    return;
  }
  if (!::CopyFileW(WinePathOf(VELMORAN_STANDIN_HTTPD).c_str(), kServerPath, FALSE)) {
    throw std::runtime_error("cannot place the stand-in httpd.exe");
  }
  if (state == State::Stopped) return;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring line = L"\"" + std::wstring(kServerPath) + L"\"";
  if (!::CreateProcessW(kServerPath, line.data(), nullptr, nullptr, FALSE, 0, nullptr, kServerFolder,
                        &startup, &process)) {
    throw std::runtime_error("cannot start the stand-in httpd.exe");
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  // Running means listed among the processes, which its window shows.
  if (!WaitUntil([] { return Running() > 0; }))
    throw std::runtime_error("the stand-in httpd.exe did not come up");
}

StandInServer::~StandInServer() { StopAll(); }

std::size_t StandInServer::Running() { return ServerWindows().size(); }

bool StandInServer::StopAll() {
  std::vector<HANDLE> processes;
  for (HWND window : ServerWindows()) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    if (HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, id)) processes.push_back(process);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  bool ended = true;
  for (HANDLE process : processes) {
    ended = ::WaitForSingleObject(process, kPatience) == WAIT_OBJECT_0 && ended;
    ::CloseHandle(process);
  }
  return ended;
}

}  // namespace velmoran::test
