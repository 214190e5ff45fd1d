#include "tests/wine/EditMetrics.h"

namespace velmoran::test {
namespace {

POINT PositionOf(HWND edit, LRESULT character) {
  const LRESULT packed = ::SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(character), 0);
  return POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
}

}  // namespace

std::optional<EditLayout> MeasureEdit(HWND edit, int line) {
  const LRESULT start = ::SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  const LRESULT next = ::SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(line) + 1, 0);
  const LRESULT length = ::SendMessageW(edit, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  if (start < 0 || next < 0 || length < 2) return std::nullopt;
  // Scrolling moves every position alike; differences are the layout's own.
  const POINT first = PositionOf(edit, start);
  const POINT last = PositionOf(edit, start + length - 1);
  const POINT below = PositionOf(edit, next);
  return EditLayout{below.y - first.y, last.x - first.x};
}

ReferenceEdit::ReferenceEdit(const wchar_t* faceName, int height, int weight, const std::wstring& text) {
  parent_ =
      ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1200, 600, nullptr, nullptr, nullptr, nullptr);
  edit_ = ::CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"",
      WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, 0, 0,
      1200, 600, parent_, nullptr, nullptr, nullptr);
  if (faceName != nullptr) {
    font_ = ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, faceName);
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  ::SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
  ::SetWindowTextW(edit_, text.c_str());
}

ReferenceEdit::~ReferenceEdit() {
  ::DestroyWindow(parent_);
  if (font_ != nullptr) ::DeleteObject(font_);
}

}  // namespace velmoran::test
