#pragma once

// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends. Tests map the simulated drives
// onto it and look into what the simulated Windows stored there.

#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace velmoran::test {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<unsigned> counter{0};
    const auto unique = std::to_string(std::random_device{}()) + "-" + std::to_string(counter++);
    path_ = std::filesystem::temp_directory_path() / ("velmoran-test-" + unique);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    // A test may have made a file read-only; give the owner its rights back so everything goes.
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

}  // namespace velmoran::test
