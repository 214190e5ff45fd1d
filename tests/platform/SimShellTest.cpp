#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/SimShell.h"

namespace velmoran::test {
namespace {

using platform::Handle;
using platform::kErrorCancelled;
using platform::kErrorInvalidParameter;
using platform::kInvalidHandle;
using platform::kProcessEntry32WSize;
using platform::kSeeMaskNoCloseProcess;
using platform::kShellExecuteInfoWSize;
using platform::kTh32csSnapProcess;
using platform::ProcessEntry32W;
using platform::ShellExecuteInfoW;
using platform::sim::SimShell;

std::vector<std::u16string> Images(SimShell& shell, Handle snapshot) {
  std::vector<std::u16string> images;
  ProcessEntry32W entry;
  entry.dwSize = kProcessEntry32WSize;
  for (bool more = shell.Process32FirstW(snapshot, entry); more;
       more = shell.Process32NextW(snapshot, entry)) {
    images.emplace_back(entry.szExeFile.data());
  }
  return images;
}

TEST(SimShell, SnapshotHoldsTheProcessesOfItsMoment) {
  SimShell shell;
  shell.AddProcess(u"C:\\a.exe");
  const Handle snapshot = shell.CreateToolhelp32Snapshot(kTh32csSnapProcess, 0);
  ASSERT_NE(snapshot, kInvalidHandle);
  shell.AddProcess(u"C:\\b.exe");
  EXPECT_EQ(Images(shell, snapshot), std::vector<std::u16string>{u"C:\\a.exe"});
  EXPECT_EQ(Images(shell, snapshot), std::vector<std::u16string>{u"C:\\a.exe"}) << "First starts over";

  ProcessEntry32W wrongSize;
  wrongSize.dwSize = kProcessEntry32WSize - 4;
  EXPECT_FALSE(shell.Process32FirstW(snapshot, wrongSize));
  EXPECT_TRUE(shell.CloseHandle(snapshot));
  EXPECT_FALSE(shell.CloseHandle(snapshot));
  EXPECT_EQ(shell.OpenHandles(), 0u);

  shell.FailSnapshots(true);
  EXPECT_EQ(shell.CreateToolhelp32Snapshot(kTh32csSnapProcess, 0), kInvalidHandle);
  EXPECT_EQ(shell.SnapshotsAsked(), 2u);
}

TEST(SimShell, StartIsRefusedWithTheChosenCodeOrAddsTheProcess) {
  SimShell shell;
  const std::u16string file = u"C:\\server.exe";
  ShellExecuteInfoW info;
  info.cbSize = kShellExecuteInfoWSize;
  info.fMask = kSeeMaskNoCloseProcess;
  info.lpFile = file.c_str();

  shell.RefuseStarts(kErrorCancelled);
  EXPECT_FALSE(shell.ShellExecuteExW(info));
  EXPECT_EQ(shell.GetLastError(), kErrorCancelled);
  EXPECT_TRUE(shell.Processes().empty());

  shell.RefuseStarts(0);
  ASSERT_TRUE(shell.ShellExecuteExW(info));
  EXPECT_EQ(shell.Processes(), std::vector<std::u16string>{u"server.exe"})
      << "a started process is listed under its image's file name";
  EXPECT_NE(info.hProcess, 0u);
  EXPECT_TRUE(shell.CloseHandle(info.hProcess));

  info.cbSize = kShellExecuteInfoWSize + 4;
  EXPECT_FALSE(shell.ShellExecuteExW(info));
  EXPECT_EQ(shell.GetLastError(), kErrorInvalidParameter);
  EXPECT_EQ(shell.Requests().size(), 3u) << "every request is recorded as the caller filled it";
}

}  // namespace
}  // namespace velmoran::test
