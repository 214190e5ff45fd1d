// A clinic day through velmoran.exe under Wine: ten thousand mixed messages
// posted by the runtime double from a file, after which every capture on disk
// is exactly the last one the page sent for it, and the process's memory and
// handles have stayed flat from warm-up to the end.

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "codec/Crc32.h"
#include "tests/support/SoakMessages.h"
#include "tests/wine/Polling.h"
#include "tests/wine/ShellUnderTest.h"
#include "tests/wine/StandInServer.h"
#include "tests/wine/WineText.h"

namespace velmoran::test {
namespace {

constexpr wchar_t kSoakFolder[] = L"C:\\soak";
constexpr wchar_t kCaptureRoot[] = L"C:\\velmoran_pose";
constexpr std::uint64_t kEvery = 500;
// A bound for a broken run, not a figure: the day takes a few minutes.
constexpr DWORD kDayPatience = 30 * 60 * 1000;

struct ResourceSample {
  std::uint64_t messages = 0;
  std::uint64_t privateBytes = 0;
  std::uint64_t workingSet = 0;
  std::uint64_t handles = 0;
  std::uint64_t gdiObjects = 0;
  std::uint64_t userObjects = 0;
  std::uint64_t nextHandle = 0;
};

std::vector<ResourceSample> Samples(const Transcript& transcript) {
  std::vector<ResourceSample> samples;
  for (const TranscriptLine& line : transcript.Lines()) {
    if (line.event != "resources" || line.fields.size() != 7) continue;
    samples.push_back({std::stoull(line.fields[0]), std::stoull(line.fields[1]), std::stoull(line.fields[2]),
                       std::stoull(line.fields[3]), std::stoull(line.fields[4]), std::stoull(line.fields[5]),
                       std::stoull(line.fields[6])});
  }
  return samples;
}

TEST(SoakRoadTest, TenThousandMixedMessagesLeaveExactCapturesAndFlatResources) {
  StandInServer server(StandInServer::State::Running);
  RemoveTree(kCaptureRoot);
  RemoveTree(kSoakFolder);
  ASSERT_TRUE(::CreateDirectoryW(kSoakFolder, nullptr));
  const std::wstring messages = std::wstring(kSoakFolder) + L"\\messages.txt";
  std::FILE* out = ::_wfopen(messages.c_str(), L"wb");
  ASSERT_NE(out, nullptr);
  const SoakPlan plan;
  const SoakOutcome outcome = WriteSoakMessages(plan, out);
  ASSERT_EQ(std::fclose(out), 0);

  ShellUnderTest shell(L"soak", ShellSetup{true, "resources every " + std::to_string(kEvery) + "\nmessages " +
                                                     Narrow(messages) + "\n"});
  const HWND window = shell.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&shell] { return shell.ReadTranscript().Count("page-done") > 0; }, kDayPatience))
      << "the page did not get through its day";
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  ASSERT_TRUE(shell.WaitForExit(exitCode));
  EXPECT_EQ(exitCode, 0u);
  RemoveTree(kSoakFolder);

  // Every file under the capture root is one the page wrote, holding its last content.
  const std::filesystem::path root(kCaptureRoot);
  std::size_t found = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = entry.path().lexically_relative(root).generic_string();
    const auto expected = outcome.files.find(relative);
    ASSERT_NE(expected, outcome.files.end()) << "a file the page never sent: " << relative;
    const std::string bytes = ReadWholeFile(entry.path().wstring());
    EXPECT_EQ((SoakFile{bytes.size(), codec::Crc32(bytes)}), expected->second) << relative;
    ++found;
  }
  EXPECT_EQ(found, outcome.files.size());
  RemoveTree(kCaptureRoot);

  const Transcript transcript = shell.ReadTranscript();
  EXPECT_EQ(transcript.Values("page-done"), std::vector<std::string>{std::to_string(plan.messages)});
  const std::vector<ResourceSample> samples = Samples(transcript);
  ASSERT_EQ(samples.size(), plan.messages / kEvery);
  std::printf("soak: %zu captures, %zu queries, %zu checks, %zu other, %zu broken, %.1f MB of messages\n",
              outcome.captures, outcome.queries, outcome.checks, outcome.others, outcome.broken,
              static_cast<double>(outcome.bytes) / 1e6);
  for (const ResourceSample& sample : samples) {
    std::printf(
        "soak: after %5llu messages private %.1f MB, working set %.1f MB, handles %llu (next 0x%llX), GDI "
        "%llu, "
        "USER %llu\n",
        static_cast<unsigned long long>(sample.messages), static_cast<double>(sample.privateBytes) / 1e6,
        static_cast<double>(sample.workingSet) / 1e6, static_cast<unsigned long long>(sample.handles),
        static_cast<unsigned long long>(sample.nextHandle),
        static_cast<unsigned long long>(sample.gdiObjects),
        static_cast<unsigned long long>(sample.userObjects));
  }
  // Warm-up: the first two thousand messages fill the heap's free lists and
  // the log view; from then on nothing may pile up.
  const ResourceSample& warm = samples[3];
  for (std::size_t i = 3; i < samples.size(); ++i) {
    const ResourceSample& sample = samples[i];
    EXPECT_LE(sample.privateBytes, warm.privateBytes + std::uint64_t{16} * 1024 * 1024)
        << "after " << sample.messages;
    EXPECT_LE(sample.handles, warm.handles) << "after " << sample.messages;
    EXPECT_LE(sample.nextHandle, warm.nextHandle) << "after " << sample.messages;
    EXPECT_LE(sample.gdiObjects, warm.gdiObjects) << "after " << sample.messages;
    EXPECT_LE(sample.userObjects, warm.userObjects) << "after " << sample.messages;
  }
  EXPECT_TRUE(StandInServer::StopAll());
}

}  // namespace
}  // namespace velmoran::test
