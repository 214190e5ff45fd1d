#pragma once

// The main window's log view (its multi-line text view Memo1), kept as the
// text the view holds and counted the way the view counts lines.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran::app {

// Lines are kept newest last. A text added with line breaks inside occupies
// one line per piece, as the view shows it: CR LF, a lone CR and a lone LF
// each end a line (the view's edit control breaks lines on all three), and a
// break at the very end leaves an empty last piece. Adding is linear in the
// text added; the count is kept, never recounted.
class LogView {
 public:
  // The view's initial content: one empty line.
  LogView();

  void AddLine(std::u16string_view text);
  // The same, taking over the text's storage when it holds no line break.
  void AddOwnedLine(std::u16string&& text);
  void Clear();

  std::size_t LineCount() const { return lines_.size(); }
  const std::vector<std::u16string>& Lines() const { return lines_; }

 private:
  std::vector<std::u16string> lines_;
};

}  // namespace velmoran::app
