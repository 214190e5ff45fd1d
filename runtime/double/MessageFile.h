#pragma once

// The lines of a file of page messages, read a piece at a time through the
// platform's files, so a run of thousands of large messages never holds more
// than the message at hand.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace velmoran::runtime::doubles {

class MessageFile {
 public:
  // Opens the file for reading; Open() tells whether that worked.
  MessageFile(platform::Files& files, std::u16string_view path);
  ~MessageFile();
  MessageFile(const MessageFile&) = delete;
  MessageFile& operator=(const MessageFile&) = delete;

  bool Open() const { return file_ != platform::kInvalidHandle; }
  // The next line without its line break (LF, or CR LF); false at the end. A
  // last line without a break counts; a read failure ends the file.
  bool NextLine(std::string& line);
  // The number of the line NextLine gave last (1 for the first).
  std::size_t LineNumber() const { return lineNumber_; }

 private:
  bool ReadMore();

  platform::Files& files_;
  platform::Handle file_;
  std::string buffer_;
  std::size_t start_ = 0;  // where the unread text begins in buffer_
  bool ended_ = false;
  std::size_t lineNumber_ = 0;
};

}  // namespace velmoran::runtime::doubles
