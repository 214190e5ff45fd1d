// libFuzzer target: arbitrary message texts through the whole page bridge on
// the simulated Windows, with a temporary folder standing for drive C:.
//
// Input: when the first byte is 0xFF, the rest is UTF-16LE (so unpaired
// surrogates and any code unit can reach the bridge); otherwise the input is
// UTF-8 (invalid sequences become U+FFFD). The text is split at LF into at
// most eight messages handled in order by one bridge, so a capture can be
// followed by a query or a four-image check; a message that is exactly
// "!unreadable" stands for one whose text the browser cannot give.
//
// Besides the sanitizers, one property is checked after every input: nothing
// exists on the simulated drive C: but the capture root, and nothing at all
// beside the simulated drives.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "bridge/PageBridge.h"
#include "platform/sim/SimPlatform.h"

namespace {

using namespace velmoran;

constexpr std::size_t kMaxMessages = 8;
constexpr unsigned kInputsBetweenCleanups = 500;

class CountingHost final : public bridge::PageBridgeHost {
 public:
  void logw(std::u16string_view text) override { logged += text.size(); }
  void ExecuteScript(std::u16string_view) override { ++replies; }
  void ToggleFullScreen() override { ++toggles; }
  std::size_t logged = 0;
  std::size_t replies = 0;
  std::size_t toggles = 0;
};

struct World {
  World() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    outer = std::filesystem::temp_directory_path() / ("velmoran-fuzz-" + std::to_string(stamp));
    root = outer / "root";
    std::filesystem::create_directories(root);
    platform = std::make_unique<platform::sim::SimPlatform>(root);
  }
  ~World() {
    std::error_code ignored;
    std::filesystem::remove_all(outer, ignored);
  }

  // Only "root" beside the drives, only "C" in root, only the capture root on C:.
  void CheckNothingOutside() const {
    for (const auto& entry : std::filesystem::directory_iterator(outer)) {
      if (entry.path().filename() != "root") std::abort();
    }
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
      if (entry.path().filename() != "C") std::abort();
    }
    for (const auto& entry : std::filesystem::directory_iterator(root / "C")) {
      const std::u16string name = Utf8ToUtf16(entry.path().filename().string());
      if (!EqualsIgnoringAsciiCase(name, u"velmoran_pose")) std::abort();
    }
  }

  void RemoveCaptures() const {
    for (const auto& entry : std::filesystem::directory_iterator(root / "C")) {
      std::filesystem::remove_all(entry.path());
    }
  }

  std::filesystem::path outer;
  std::filesystem::path root;
  std::unique_ptr<platform::sim::SimPlatform> platform;
  unsigned inputs = 0;
};

std::u16string DecodeInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0 && data[0] == 0xFF) {
    std::u16string text;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
      text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return text;
  }
  return Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static World world;
  const std::u16string text = DecodeInput(data, size);

  CountingHost host;
  bridge::PageBridge bridge(*world.platform, host);
  std::size_t start = 0;
  for (std::size_t count = 0; count < kMaxMessages && start <= text.size(); ++count) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    const std::u16string message = text.substr(start, end - start);
    start = end + 1;
    const std::size_t repliesBefore = host.replies;
    bridge.WebMessageReceived(message == u"!unreadable" ? nullptr : &message);
    for (std::size_t i = repliesBefore; i < host.replies; ++i) {
      bridge.ExecuteScriptCompleted(i % 2 == 0 ? 0 : -2147024891, u"null", 0);
    }
  }
  if (world.platform->files().OpenHandles() != 0) std::abort();
  world.CheckNothingOutside();
  if (++world.inputs % kInputsBetweenCleanups == 0) world.RemoveCaptures();
  return 0;
}
