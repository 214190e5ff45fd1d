#pragma once

// The DevTools pipe carries one JSON message after another, each ended by a
// NUL byte, in reads of whatever size the socket gives. FrameSplitter cuts
// them apart. Every byte is scanned once and copied at most twice (into the
// buffer, and out of it unless the message fills the buffer exactly), so a
// message of tens of megabytes arriving in 64 KiB reads costs linear time.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran::runtime::chromium {

class FrameSplitter {
 public:
  // Adds what was read and returns the messages it completed, in order.
  std::vector<std::string> Feed(std::string_view bytes);

  // Bytes of a message not finished yet.
  std::size_t PendingBytes() const { return buffer_.size() - frameStart_; }

 private:
  std::string buffer_;
  std::size_t frameStart_ = 0;  // where the unfinished message begins
  std::size_t scanned_ = 0;     // bytes already known to hold no NUL
};

}  // namespace velmoran::runtime::chromium
