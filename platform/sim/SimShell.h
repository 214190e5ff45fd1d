#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace velmoran::platform::sim {

class SimFiles;

// A process table and a shell that starts what it is asked. A snapshot copies
// the table as it is when taken; each process keeps its id in every snapshot.
// A process the shell starts is listed under its image's file name, as
// Windows lists it; a test may script any text (a full path, say) to see how
// a caller copes with it. Given the simulated files, the shell starts only
// a file that exists there (ERROR_FILE_NOT_FOUND otherwise), as Windows does.
class SimShell final : public Shell {
 public:
  SimShell() = default;
  explicit SimShell(SimFiles& files) : files_(&files) {}

  // One ShellExecuteExW request as the caller filled it.
  struct Request {
    std::uint32_t cbSize = 0;
    std::uint32_t fMask = 0;
    Handle hwnd = 0;
    std::optional<std::u16string> lpVerb;
    std::optional<std::u16string> lpFile;
    std::optional<std::u16string> lpParameters;
    std::optional<std::u16string> lpDirectory;
    std::int32_t nShow = 0;
  };

  Handle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
  bool Process32FirstW(Handle snapshot, ProcessEntry32W& entry) override;
  bool Process32NextW(Handle snapshot, ProcessEntry32W& entry) override;
  bool CloseHandle(Handle object) override;
  bool ShellExecuteExW(ShellExecuteInfoW& info) override;
  std::uint32_t GetLastError() override { return lastError_; }

  // --- Test controls ---
  // Adds a running process whose szExeFile reads `image`; answers its id.
  std::uint32_t AddProcess(std::u16string image);
  const std::vector<std::u16string>& Processes() const { return processes_; }
  // Every later snapshot fails as when the system refuses one.
  void FailSnapshots(bool fail) { failSnapshots_ = fail; }
  // Every later start fails with this code (ERROR_CANCELLED 1223 when the
  // user declines elevation); 0 lets starts succeed again.
  void RefuseStarts(std::uint32_t errorCode) { refusal_ = errorCode; }
  const std::vector<Request>& Requests() const { return requests_; }
  // Calls of CreateToolhelp32Snapshot, refused ones included.
  std::size_t SnapshotsAsked() const { return snapshotsAsked_; }
  // Snapshots and process handles not yet closed.
  std::size_t OpenHandles() const { return snapshots_.size() + processHandles_.size(); }

 private:
  struct Snapshot {
    std::vector<std::u16string> images;
    std::vector<std::uint32_t> ids;
    std::size_t next = 0;
  };
  bool Fill(Handle snapshot, ProcessEntry32W& entry, bool first);

  SimFiles* files_ = nullptr;
  std::vector<std::u16string> processes_;
  std::vector<std::uint32_t> processIds_;  // beside processes_
  std::map<Handle, Snapshot> snapshots_;
  std::set<Handle> processHandles_;
  Handle nextHandle_ = 0x2000;
  std::vector<Request> requests_;
  std::uint32_t refusal_ = 0;
  std::uint32_t lastError_ = 0;
  bool failSnapshots_ = false;
  std::size_t snapshotsAsked_ = 0;
  std::uint32_t nextProcessId_ = 4000;
};

}  // namespace velmoran::platform::sim
