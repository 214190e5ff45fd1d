#include "runtime/double/MessageFile.h"

namespace velmoran::runtime::doubles {
namespace {

constexpr std::uint32_t kPiece = 1 << 20;

}  // namespace

MessageFile::MessageFile(platform::Files& files, std::u16string_view path)
    : files_(files),
      file_(files.CreateFileW(path, platform::kGenericRead,
                              platform::kFileShareRead | platform::kFileShareWrite,
                              platform::kOpenExisting)) {}

MessageFile::~MessageFile() {
  if (Open()) files_.CloseHandle(file_);
}

bool MessageFile::ReadMore() {
  if (ended_ || !Open()) return false;
  buffer_.erase(0, start_);
  start_ = 0;
  const std::size_t had = buffer_.size();
  buffer_.resize(had + kPiece);
  std::uint32_t got = 0;
  if (!files_.ReadFile(file_, buffer_.data() + had, kPiece, got) || got == 0) {
    ended_ = true;
    got = 0;
  }
  buffer_.resize(had + got);
  return got != 0;
}

bool MessageFile::NextLine(std::string& line) {
  std::size_t searchFrom = start_;
  for (;;) {
    const std::size_t end = buffer_.find('\n', searchFrom);
    if (end != std::string::npos) {
      line.assign(buffer_, start_, end - start_);
      start_ = end + 1;
      break;
    }
    const std::size_t unread = buffer_.size() - start_;
    if (!ReadMore()) {
      if (unread == 0) return false;
      line.assign(buffer_, start_);
      start_ = buffer_.size();
      break;
    }
    searchFrom = unread;  // ReadMore moved the unread text to the front
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ++lineNumber_;
  return true;
}

}  // namespace velmoran::runtime::doubles
