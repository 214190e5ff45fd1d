#pragma once

// The lines of the main window's log view Memo1, held in memory and counted
// the way the view counts them: the log's rules read the count here, and the
// edit control on screen follows through a mirror.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran::app {

// Told of every change to a log view, in order, so a window showing the
// lines can follow without reading them all again.
class LogViewMirror {
 public:
  // `line` is the view's new last line.
  virtual void LineAdded(const std::u16string& line) = 0;
  virtual void Cleared() = 0;

 protected:
  ~LogViewMirror() = default;
};

// Lines are kept newest last. A text added with line breaks inside occupies
// one line per piece, as the view shows it: CR LF, a lone CR and a lone LF
// each end a line (the view writes each piece on a line of its own), and a
// break at the very end leaves an empty last piece. Adding is linear in the
// text added; the count of lines and of their code units is kept, never
// recounted.
class LogView {
 public:
  // The view's initial content: one empty line.
  LogView();

  void AddLine(std::u16string_view text);
  // The same, taking over the text's storage when it holds no line break.
  void AddOwnedLine(std::u16string&& text);
  void Clear();
  // None: nothing follows the view.
  void SetMirror(LogViewMirror* mirror) { mirror_ = mirror; }

  std::size_t LineCount() const { return lines_.size(); }
  // The code units of all lines together, line breaks not counted.
  std::size_t TextSize() const { return textSize_; }
  const std::vector<std::u16string>& Lines() const { return lines_; }

 private:
  void Added();

  std::vector<std::u16string> lines_;
  std::size_t textSize_ = 0;
  LogViewMirror* mirror_ = nullptr;
};

}  // namespace velmoran::app
