#include "bench/engine/FolderWatch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace velmoran::bench::engine {

namespace {

using Clock = std::chrono::steady_clock;

// Writes, and what makes a name appear: a file replaced by a rename counts too.
constexpr std::uint32_t kEvents = IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE | IN_MOVED_TO;

bool HasSize(const std::filesystem::path& path, std::uintmax_t size) {
  std::error_code error;
  const std::uintmax_t actual = std::filesystem::file_size(path, error);
  return !error && actual == size;
}

}  // namespace

FolderWatch::FolderWatch(const std::filesystem::path& folder) : folder_(folder) {
  inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotify_ < 0) throw std::runtime_error(std::string("inotify_init1: ") + std::strerror(errno));
  if (::inotify_add_watch(inotify_, folder.c_str(), kEvents) < 0) {
    const int error = errno;
    ::close(inotify_);
    throw std::runtime_error("cannot watch " + folder.string() + ": " + std::strerror(error));
  }
}

FolderWatch::~FolderWatch() { ::close(inotify_); }

void FolderWatch::Drain() {
  alignas(inotify_event) char events[64 * 1024];
  while (::read(inotify_, events, sizeof events) > 0) {
  }
}

bool FolderWatch::NextBatchWrote(std::string_view name, Clock::time_point deadline, bool& timedOut) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  pollfd readable{inotify_, POLLIN, 0};
  const int ready = ::poll(&readable, 1, left > 0 ? static_cast<int>(left) : 0);
  if (ready < 0 && errno != EINTR) throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
  if (ready == 0) {
    timedOut = true;
    return false;
  }
  alignas(inotify_event) char events[64 * 1024];
  bool wrote = false;
  for (;;) {
    const ssize_t length = ::read(inotify_, events, sizeof events);
    if (length <= 0) break;
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      if (event->len > 0 && name == std::string_view(event->name)) wrote = true;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  return wrote;
}

bool FolderWatch::WaitForSize(std::string_view name, std::uintmax_t size, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  const std::filesystem::path path = folder_ / std::string(name);
  // A file already whole needs no event; one on its way reports each write.
  if (HasSize(path, size)) return true;
  for (;;) {
    bool timedOut = false;
    const bool wrote = NextBatchWrote(name, deadline, timedOut);
    if (timedOut) return HasSize(path, size);
    if (wrote && HasSize(path, size)) return true;
  }
}

bool FolderWatch::WaitForWrite(std::string_view name, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    bool timedOut = false;
    if (NextBatchWrote(name, deadline, timedOut)) return true;
    if (timedOut) return false;
  }
}

}  // namespace velmoran::bench::engine
