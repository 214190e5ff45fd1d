#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/platform/contract/ContractBackend.h"

namespace velmoran::test {
namespace {

using platform::Handle;
using platform::kInvalidHandle;

struct Listed {
  std::u16string image;
  std::uint32_t id;
  friend bool operator==(const Listed&, const Listed&) = default;
};

class ShellContract : public ::testing::Test {
 protected:
  // Every entry of the snapshot, from Process32FirstW on.
  std::vector<Listed> Entries(Handle snapshot) {
    std::vector<Listed> entries;
    platform::ProcessEntry32W entry;
    entry.dwSize = platform::kProcessEntry32WSize;
    for (bool more = shell_.Process32FirstW(snapshot, entry); more;
         more = shell_.Process32NextW(snapshot, entry)) {
      entries.push_back(Listed{std::u16string(entry.szExeFile.data()), entry.th32ProcessID});
    }
    return entries;
  }
  std::vector<Listed> Snapshot() {
    const Handle snapshot = shell_.CreateToolhelp32Snapshot(platform::kTh32csSnapProcess, 0);
    EXPECT_NE(snapshot, kInvalidHandle);
    std::vector<Listed> entries = Entries(snapshot);
    EXPECT_TRUE(shell_.CloseHandle(snapshot));
    return entries;
  }
  static bool Contains(const std::vector<Listed>& entries, const Listed& wanted) {
    return std::find(entries.begin(), entries.end(), wanted) != entries.end();
  }

  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
  platform::Shell& shell_ = backend_->Services().shell();
};

TEST_F(ShellContract, SnapshotListsRunningProcessesUnderTheirFileNamesAndIds) {
  const std::uint32_t first = backend_->StartProcess(u"velmoran-contract-a.exe");
  const std::uint32_t second = backend_->StartProcess(u"velmoran-contract-a.exe");
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  EXPECT_NE(first, second);
  const std::vector<Listed> entries = Snapshot();
  EXPECT_TRUE(Contains(entries, Listed{u"velmoran-contract-a.exe", first})) << "the file name, not the path";
  EXPECT_TRUE(Contains(entries, Listed{u"velmoran-contract-a.exe", second}));
  EXPECT_TRUE(Contains(Snapshot(), Listed{u"velmoran-contract-a.exe", first})) << "a process keeps its id";
}

TEST_F(ShellContract, SnapshotHoldsTheProcessesOfItsMoment) {
  const Handle snapshot = shell_.CreateToolhelp32Snapshot(platform::kTh32csSnapProcess, 0);
  ASSERT_NE(snapshot, kInvalidHandle);
  const std::uint32_t later = backend_->StartProcess(u"velmoran-contract-later.exe");
  ASSERT_NE(later, 0u);
  const std::vector<Listed> entries = Entries(snapshot);
  EXPECT_FALSE(Contains(entries, Listed{u"velmoran-contract-later.exe", later}));
  EXPECT_EQ(Entries(snapshot), entries) << "Process32FirstW starts the same list over";

  platform::ProcessEntry32W wrongSize;
  wrongSize.dwSize = platform::kProcessEntry32WSize - 4;
  EXPECT_FALSE(shell_.Process32FirstW(snapshot, wrongSize));
  EXPECT_TRUE(shell_.CloseHandle(snapshot));
  EXPECT_FALSE(shell_.CloseHandle(snapshot));
  EXPECT_EQ(shell_.GetLastError(), platform::kErrorInvalidHandle);
  EXPECT_TRUE(Contains(Snapshot(), Listed{u"velmoran-contract-later.exe", later}));
}

TEST_F(ShellContract, ShellExecuteStartsAProgramFileOnly) {
  const std::u16string program = backend_->ProgramFile();
  const std::u16string missing = backend_->ScratchFolder() + u"\\missing.exe";
  platform::ShellExecuteInfoW info;
  info.cbSize = platform::kShellExecuteInfoWSize;
  info.fMask = platform::kSeeMaskNoCloseProcess | platform::kSeeMaskFlagNoUi;
  info.lpVerb = u"open";
  info.lpFile = missing.c_str();
  EXPECT_FALSE(shell_.ShellExecuteExW(info));
  EXPECT_EQ(shell_.GetLastError(), platform::kErrorFileNotFound);

  info.lpFile = program.c_str();
  ASSERT_TRUE(shell_.ShellExecuteExW(info));
  EXPECT_GT(info.hInstApp, 32u) << "above 32 means success";
  EXPECT_NE(info.hProcess, 0u) << "SEE_MASK_NOCLOSEPROCESS hands the process over";
  EXPECT_TRUE(shell_.CloseHandle(info.hProcess));
}

}  // namespace
}  // namespace velmoran::test
