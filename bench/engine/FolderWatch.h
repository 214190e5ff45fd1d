#pragma once

// Sees files of one folder change through inotify: the wait sleeps until the
// kernel reports a write, so it ends within microseconds of the write that
// completes a file and takes no processor time from the programs under
// measurement, as polling on a two-core machine would.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmoran::bench::engine {

class FolderWatch {
 public:
  explicit FolderWatch(const std::filesystem::path& folder);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // Forgets every change reported so far.
  void Drain();
  // Waits until the file `name` holds `size` bytes; false when it did not in time.
  bool WaitForSize(std::string_view name, std::uintmax_t size, std::chrono::milliseconds timeout);
  // Waits for the next write to `name` after the last Drain; false when none came in time.
  bool WaitForWrite(std::string_view name, std::chrono::milliseconds timeout);

 private:
  // Waits for the next batch of events; true when one of them wrote `name`.
  bool NextBatchWrote(std::string_view name, std::chrono::steady_clock::time_point deadline, bool& timedOut);

  std::filesystem::path folder_;
  int inotify_ = -1;
};

}  // namespace velmoran::bench::engine
