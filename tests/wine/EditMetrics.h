#pragma once

// How an edit control lays out its text, read through messages that cross
// processes (EM_LINEINDEX, EM_LINELENGTH, EM_POSFROMCHAR). Wine answers
// WM_GETFONT and GetObjectW only inside the process that owns the font, so
// another process tells which font a control draws with by its layout: the
// same text laid out the same way as in a control given a known font.

#include <windows.h>

#include <optional>
#include <string>

namespace velmoran::test {

struct EditLayout {
  int lineHeight = 0;  // from the start of `line` to the start of the next
  int lineWidth = 0;   // from the first to the last character of `line`

  friend bool operator==(const EditLayout&, const EditLayout&) = default;
};

// Measured at `line`, which must hold text and have a line after it.
std::optional<EditLayout> MeasureEdit(HWND edit, int line);

// An edit control of this program with a font of its own (none: the
// system's) holding a text, to measure beside another process's control.
class ReferenceEdit {
 public:
  ReferenceEdit(const wchar_t* faceName, int height, int weight, const std::wstring& text);
  ~ReferenceEdit();
  ReferenceEdit(const ReferenceEdit&) = delete;
  ReferenceEdit& operator=(const ReferenceEdit&) = delete;

  HWND Handle() const { return edit_; }

 private:
  HWND parent_ = nullptr;
  HWND edit_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace velmoran::test
