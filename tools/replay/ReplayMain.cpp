// velmoran-replay: pushes page messages through the shell's real page bridge
// on the simulated Windows and prints what the shell logs and answers.
//
//   velmoran-replay --drive-c DIR [--codepage N] [--resources-every N] < messages
//
// DIR stands for drive C:. Each input line is one message's JSON text as the
// browser hands it over (UTF-8; one trailing CR is dropped); a line that is
// exactly "!unreadable" stands for a message whose text cannot be read. Each
// effect is one output line: "log <text>", "script <text>" or "fullscreen".
// The shell's own log goes to DIR/velmoran/errlog.txt in code page N (949).
// With --resources-every N, after every N-th message and after the last one a
// line "resources <messages> <resident bytes> <open files> <descriptors>"
// tells what the process holds: its resident memory, the files the shell has
// open on the simulated Windows and the process's own file descriptors (for
// long runs that must stay flat).

#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "base/Text.h"
#include "bridge/PageBridge.h"
#include "platform/sim/SimPlatform.h"
#include "tools/replay/ReplayHost.h"

namespace {

constexpr int kBadArguments = 2;
constexpr const char* kUsage =
    "usage: velmoran-replay --drive-c DIR [--codepage N] [--resources-every N] < messages\n";

struct Options {
  std::filesystem::path driveC;
  std::uint32_t codePage = 949;
  std::uint64_t resourcesEvery = 0;  // 0: never
};

bool ParseCount(std::string_view text, auto& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value != 0;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  bool haveDrive = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (i + 1 >= argc) return false;
    const std::string_view value = argv[++i];
    if (arg == "--drive-c" && !value.empty()) {
      options.driveC = std::filesystem::path(value);
      haveDrive = true;
    } else if (arg == "--codepage") {
      if (!ParseCount(value, options.codePage)) return false;
    } else if (arg == "--resources-every") {
      if (!ParseCount(value, options.resourcesEvery)) return false;
    } else {
      return false;
    }
  }
  return haveDrive;
}

// A scratch folder for the simulated drives other than C:.
class ScratchRoot {
 public:
  ScratchRoot() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() / ("velmoran-replay-" + std::to_string(stamp));
    std::filesystem::create_directories(path_);
  }
  ~ScratchRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchRoot(const ScratchRoot&) = delete;
  ScratchRoot& operator=(const ScratchRoot&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::uint64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t pages = 0;
  std::uint64_t resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

std::size_t OpenDescriptors() {
  std::error_code error;
  std::size_t count = 0;
  for (auto it = std::filesystem::directory_iterator("/proc/self/fd", error);
       !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    ++count;
  }
  return count;
}

void PrintResources(std::uint64_t messages, velmoran::platform::sim::SimPlatform& platform) {
  std::printf("resources %llu %llu %zu %zu\n", static_cast<unsigned long long>(messages),
              static_cast<unsigned long long>(ResidentBytes()), platform.files().OpenHandles(),
              OpenDescriptors());
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velmoran;
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return kBadArguments;
  }
  std::error_code error;
  // The executable's folder, where the shell's log file lives.
  std::filesystem::create_directories(options.driveC / "velmoran", error);
  if (error || !std::filesystem::is_directory(options.driveC)) {
    std::fprintf(stderr, "velmoran-replay: cannot use %s as drive C:\n", options.driveC.string().c_str());
    std::fputs(kUsage, stderr);
    return kBadArguments;
  }

  ScratchRoot scratch;
  platform::sim::SimPlatform platform(scratch.path());
  platform.files().MapDrive(u'C', options.driveC);
  platform.locale().SetCodePage(options.codePage);
  tools::ReplayHost host(platform, stdout);
  bridge::PageBridge bridge(platform, host);

  std::string line;
  std::uint64_t messages = 0;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "!unreadable") {
      bridge.WebMessageReceived(nullptr);
    } else {
      const std::u16string message = Utf8ToUtf16(line);
      bridge.WebMessageReceived(&message);
    }
    // The page runs each reply after the handler has returned.
    for (std::size_t n = host.TakePendingReplies(); n > 0; --n) bridge.ExecuteScriptCompleted(0, u"null", 0);
    ++messages;
    if (options.resourcesEvery != 0 && messages % options.resourcesEvery == 0)
      PrintResources(messages, platform);
  }
  if (options.resourcesEvery != 0 && messages % options.resourcesEvery != 0)
    PrintResources(messages, platform);
  std::fflush(stdout);
  return 0;
}
