#include "tests/wine/UnixCommand.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "tests/wine/WineText.h"

namespace velmoran::test {
namespace {

constexpr int kCommandSeconds = 20;
// Longer than the command's own bound: sh itself and Wine's start-up on top.
constexpr DWORD kWaitMilliseconds = (kCommandSeconds + 10) * 1000;

void RemoveScratchFolder() { RemoveTree(WinePathOf(UnixScratchFolder())); }

}  // namespace

const std::string& UnixScratchFolder() {
  static const std::string folder = [] {
    std::string path = "/tmp/velmoran-wine-road-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryW(WinePathOf(path).c_str(), nullptr);
    std::atexit(RemoveScratchFolder);
    return path;
  }();
  return folder;
}

std::string ShellWord(const std::string& text) {
  std::string word = "'";
  for (char c : text) {
    if (c == '\'') {
      word += "'\\''";
    } else {
      word.push_back(c);
    }
  }
  return word + "'";
}

UnixResult RunUnix(const std::string& command) {
  if (command.find('"') != std::string::npos)
    throw std::invalid_argument("no double quotes in Unix commands");
  static int counter = 0;
  const std::string base = UnixScratchFolder() + "/command-" + std::to_string(++counter);
  const std::string script = "timeout " + std::to_string(kCommandSeconds) + " sh -c " + ShellWord(command) +
                             " > " + base + ".out 2>&1; echo $? > " + base + ".tmp; mv " + base + ".tmp " +
                             base + ".status";
  std::wstring line = L"/bin/sh -c \"" + Widen(script) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  UnixResult result;
  if (!::CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
    return result;
  }
  // Wine hands back no process for a Unix program, and the thread field holds
  // no handle of ours either: nothing here may be closed.
  const std::wstring status = WinePathOf(base + ".status");
  for (DWORD waited = 0; waited < kWaitMilliseconds && !FileExists(status); waited += 20) ::Sleep(20);
  const std::string code = ReadWholeFile(status);
  if (!code.empty()) result.status = std::atoi(code.c_str());
  result.output = ReadWholeFile(WinePathOf(base + ".out"));
  ::DeleteFileW(status.c_str());
  ::DeleteFileW(WinePathOf(base + ".out").c_str());
  return result;
}

}  // namespace velmoran::test
