#include "bench/BenchShell.h"

#include <chrono>
#include <string>
#include <system_error>

namespace velmoran::bench {

TempFolder::TempFolder() {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() / ("velmoran-bench-" + std::to_string(stamp));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

BenchShell::BenchShell() : platform(folder.path()), log(platform, view), bridge(platform, *this) {
  std::filesystem::create_directories(folder.path() / "C" / "velmoran");
}

void BenchShell::TrimLog() {
  view.Clear();
  std::filesystem::resize_file(LogFile(), 0);
}

std::filesystem::path BenchShell::LogFile() const { return folder.path() / "C" / "velmoran" / "errlog.txt"; }

std::filesystem::path BenchShell::CaptureFile(std::string_view saveFolder, std::string_view name) const {
  return folder.path() / "C" / "velmoran_pose" / saveFolder / name;
}

}  // namespace velmoran::bench
