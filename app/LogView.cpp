#include "app/LogView.h"

#include <algorithm>
#include <utility>

namespace velmoran::app {
namespace {

// Log lines can carry a whole page message (megabytes without a break), so
// the text is first tested 32 characters at a time with a branch-free test
// the compiler vectorises; only a block that holds a character up to CR is
// searched one character at a time.
constexpr std::size_t kBlock = 32;

bool BlockHasControl(const char16_t* block) {
  unsigned control = 0;
  for (std::size_t i = 0; i < kBlock; ++i) control |= block[i] <= u'\r' ? 1u : 0u;
  return control != 0;
}

// The next CR or LF at or after `from`, or npos.
std::size_t FindBreak(std::u16string_view text, std::size_t from) {
  const std::size_t size = text.size();
  while (from < size) {
    if (from + kBlock <= size && !BlockHasControl(text.data() + from)) {
      from += kBlock;
      continue;
    }
    for (const std::size_t end = std::min(size, from + kBlock); from < end; ++from) {
      if (text[from] == u'\r' || text[from] == u'\n') return from;
    }
  }
  return std::u16string_view::npos;
}

}  // namespace

LogView::LogView() : lines_(1) {}

void LogView::AddLine(std::u16string_view text) {
  std::size_t start = 0;
  for (std::size_t i = FindBreak(text, 0); i != std::u16string_view::npos; i = FindBreak(text, start)) {
    lines_.emplace_back(text.substr(start, i - start));
    Added();
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  lines_.emplace_back(text.substr(start));
  Added();
}

void LogView::AddOwnedLine(std::u16string&& text) {
  if (FindBreak(text, 0) != std::u16string_view::npos) {
    AddLine(std::u16string_view(text));
    return;
  }
  lines_.push_back(std::move(text));
  Added();
}

void LogView::Clear() {
  lines_.clear();
  textSize_ = 0;
  if (mirror_ != nullptr) mirror_->Cleared();
}

void LogView::Added() {
  textSize_ += lines_.back().size();
  if (mirror_ != nullptr) mirror_->LineAdded(lines_.back());
}

}  // namespace velmoran::app
