#include "app/LogView.h"

namespace velmoran::app {

LogView::LogView() : lines_(1) {}

void LogView::AddLine(std::u16string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    lines_.emplace_back(text.substr(start, i - start));
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  lines_.emplace_back(text.substr(start));
}

void LogView::Clear() { lines_.clear(); }

}  // namespace velmoran::app
