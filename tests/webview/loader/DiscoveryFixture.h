#pragma once

// A simulated Windows on a fresh temporary folder, with helpers to lay out
// runtime folders, libraries with version resources and PE headers, and
// registry entries.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "base/Text.h"
#include "platform/sim/SimPlatform.h"
#include "tests/support/TempFolder.h"
#include "webview/loader/DiscoveryContext.h"
#include "webview/loader/LoaderErrorReporter.h"

namespace velmoran::test {

using webview::DiscoveryContext;
using webview::LoaderErrorReporter;

// What the loader would be told by the runtime checks.
class RecordingReporter final : public LoaderErrorReporter {
 public:
  void SetErrorStatus() override { errorStatus = true; }
  void AppendErrorLog(std::u16string_view line) override { lines.emplace_back(Utf16ToUtf8(line)); }
  void ShowErrorDialog() override { ++dialogs; }

  bool errorStatus = false;
  std::vector<std::string> lines;
  int dialogs = 0;
};

// A PE file's first bytes: the DOS header pointing at the NT headers, which
// name `machine`.
inline std::vector<std::uint8_t> PeHeader(std::uint16_t machine) {
  std::vector<std::uint8_t> bytes(64 + 248, 0);
  bytes[0] = 'M';
  bytes[1] = 'Z';
  bytes[60] = 64;  // the NT headers follow the DOS header
  bytes[64] = 'P';
  bytes[65] = 'E';
  bytes[68] = static_cast<std::uint8_t>(machine & 0xFF);
  bytes[69] = static_cast<std::uint8_t>(machine >> 8);
  return bytes;
}

constexpr std::uint32_t Packed(std::uint32_t high, std::uint32_t low) { return (high << 16) | low; }

class DiscoveryTest : public testing::Test {
 protected:
  DiscoveryTest() : sim(temp.path()) {}

  // Writes a file, creating the folders on its way.
  void WriteFile(std::u16string_view path, const std::vector<std::uint8_t>& bytes = {'x'}) {
    for (std::size_t i = 3; i < path.size(); ++i) {
      if (path[i] == u'\\') sim.files().CreateDirectoryW(path.substr(0, i));
    }
    const platform::Handle file = sim.files().CreateFileW(path, platform::kGenericWrite,
                                                          platform::kFileShareNone, platform::kCreateAlways);
    ASSERT_NE(file, platform::kInvalidHandle) << Utf16ToUtf8(path);
    std::uint32_t written = 0;
    if (!bytes.empty()) {
      ASSERT_TRUE(
          sim.files().WriteFile(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), written));
    }
    sim.files().CloseHandle(file);
  }

  void MakeFolder(std::u16string_view path) {
    std::u16string withEnd(path);
    withEnd += u'\\';
    for (std::size_t i = 3; i < withEnd.size(); ++i) {
      if (withEnd[i] == u'\\') sim.files().CreateDirectoryW(withEnd.substr(0, i));
    }
  }

  DiscoveryContext Context() { return DiscoveryContext{sim, false}; }

  TempFolder temp;
  platform::sim::SimPlatform sim;
};

}  // namespace velmoran::test
