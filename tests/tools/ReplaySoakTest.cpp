// A clinic day through velmoran-replay: ten thousand mixed messages, after
// which every capture on disk is exactly the last one the page sent for it,
// and the process's memory, its open files and descriptors have stayed flat.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "codec/Crc32.h"
#include "tests/support/HostFiles.h"
#include "tests/support/SoakMessages.h"
#include "tests/support/TempFolder.h"

namespace velmoran::test {
namespace {

struct ResourceSample {
  std::uint64_t messages = 0;
  std::uint64_t residentBytes = 0;
  std::size_t openFiles = 0;
  std::size_t descriptors = 0;
};

std::vector<ResourceSample> ReadSamples(const std::filesystem::path& output) {
  std::vector<ResourceSample> samples;
  std::ifstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with("resources ")) continue;
    std::istringstream fields(line.substr(10));
    ResourceSample sample;
    fields >> sample.messages >> sample.residentBytes >> sample.openFiles >> sample.descriptors;
    samples.push_back(sample);
  }
  return samples;
}

SoakFile FileOnDisk(const std::filesystem::path& path) {
  const std::string bytes = ReadHostFile(path);
  return SoakFile{bytes.size(), codec::Crc32(bytes)};
}

TEST(ReplaySoakTest, TenThousandMixedMessagesLeaveExactCapturesAndFlatResources) {
  TempFolder scratch;
  const std::filesystem::path messages = scratch.path() / "messages.txt";
  const std::filesystem::path driveC = scratch.path() / "drive-c";
  std::filesystem::create_directories(driveC);
  std::FILE* out = std::fopen(messages.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  const SoakPlan plan;
  const SoakOutcome outcome = WriteSoakMessages(plan, out);
  ASSERT_EQ(std::fclose(out), 0);

  constexpr std::uint64_t kEvery = 500;
  const std::string command = "'" VELMORAN_REPLAY_EXE "' --drive-c '" + driveC.string() +
                              "' --resources-every " + std::to_string(kEvery) + " < '" + messages.string() +
                              "' > '" + (scratch.path() / "out.txt").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::filesystem::remove(messages);

  // Every file under the capture root is one the page wrote, holding its last content.
  const std::filesystem::path root = driveC / "velmoran_pose";
  std::size_t found = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = entry.path().lexically_relative(root).generic_string();
    const auto expected = outcome.files.find(relative);
    ASSERT_NE(expected, outcome.files.end()) << "a file the page never sent: " << relative;
    EXPECT_EQ(FileOnDisk(entry.path()), expected->second) << relative;
    ++found;
  }
  EXPECT_EQ(found, outcome.files.size());

  const std::vector<ResourceSample> samples = ReadSamples(scratch.path() / "out.txt");
  ASSERT_EQ(samples.size(), plan.messages / kEvery);
  // Warm-up: the first two thousand messages fill the allocator's pools and
  // the log view; from then on nothing may pile up.
  const ResourceSample& warm = samples[3];
  std::uint64_t highest = warm.residentBytes;
  for (const ResourceSample& sample : samples) {
    EXPECT_EQ(sample.openFiles, 0u) << "after " << sample.messages << " messages";
    EXPECT_EQ(sample.descriptors, samples.front().descriptors) << "after " << sample.messages << " messages";
    if (sample.messages >= warm.messages && sample.residentBytes > highest) highest = sample.residentBytes;
  }
  std::printf("soak: %zu captures, %zu queries, %zu checks, %zu other, %zu broken, %.1f MB of messages\n",
              outcome.captures, outcome.queries, outcome.checks, outcome.others, outcome.broken,
              static_cast<double>(outcome.bytes) / 1e6);
  for (const ResourceSample& sample : samples) {
    std::printf("soak: after %5llu messages resident %.1f MB\n",
                static_cast<unsigned long long>(sample.messages),
                static_cast<double>(sample.residentBytes) / 1e6);
  }
#if defined(__SANITIZE_ADDRESS__)
  // AddressSanitizer keeps freed blocks in its quarantine (up to 256 MB), so
  // resident memory says nothing about what the shell holds here.
  (void)highest;
#else
  // A few of the largest messages' worth of slack, no more.
  EXPECT_LE(highest - warm.residentBytes, 16u * 1024 * 1024)
      << "resident memory grew from " << warm.residentBytes << " to " << highest << " bytes after warm-up";
#endif
}

}  // namespace
}  // namespace velmoran::test
