#include "runtime/chromium/FrameSplitter.h"

#include <cstring>
#include <utility>

namespace velmoran::runtime::chromium {

std::vector<std::string> FrameSplitter::Feed(std::string_view bytes) {
  std::vector<std::string> frames;
  buffer_.append(bytes);
  while (scanned_ < buffer_.size()) {
    const void* found = std::memchr(buffer_.data() + scanned_, '\0', buffer_.size() - scanned_);
    if (found == nullptr) {
      scanned_ = buffer_.size();
      break;
    }
    const auto end = static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data());
    if (frameStart_ == 0 && end + 1 == buffer_.size()) {
      // The usual case for a large message: it is the whole buffer, so it is handed over, not copied.
      buffer_.pop_back();
      frames.push_back(std::move(buffer_));
      buffer_.clear();
      frameStart_ = 0;
      scanned_ = 0;
      return frames;
    }
    frames.emplace_back(buffer_, frameStart_, end - frameStart_);
    frameStart_ = end + 1;
    scanned_ = end + 1;
  }
  if (frameStart_ > 0) {
    // Dropping the finished messages moves only the unfinished tail, once per read that finished one.
    buffer_.erase(0, frameStart_);
    scanned_ -= frameStart_;
    frameStart_ = 0;
  }
  return frames;
}

}  // namespace velmoran::runtime::chromium
