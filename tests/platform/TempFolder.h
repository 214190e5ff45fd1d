#pragma once

#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace velmoran::platform::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<unsigned> counter{0};
    const auto unique = std::to_string(std::random_device{}()) + "-" + std::to_string(counter++);
    path_ = std::filesystem::temp_directory_path() / ("velmoran-platform-" + unique);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace velmoran::platform::test
