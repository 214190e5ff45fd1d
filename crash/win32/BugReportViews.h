#pragma once

// The child controls of the bug-report window: the explanation at the top,
// the tab control that picks a view, the three views' controls and the
// buttons. They are all children of the window itself (not of the tab
// control), so their notifications reach the window's procedure; the tab
// control only draws the tabs and the frame the current view sits in.

#include <windows.h>

#include "crash/BugReport.h"
#include "crash/ContactText.h"
#include "crash/win32/BugReportControls.h"

namespace velmoran::crash {

class BugReportViews {
 public:
  BugReportViews() = default;
  ~BugReportViews();
  BugReportViews(const BugReportViews&) = delete;
  BugReportViews& operator=(const BugReportViews&) = delete;

  // `dpi` turns the layout's units (pixels at 96 dpi) into the screen's pixels.
  void Create(HWND window, HFONT font, HFONT boldFont, const BugReport& report, int dpi);
  // Places every control in the window's client area.
  void Layout(int clientWidth, int clientHeight);
  void Show(BugReportView view);
  BugReportView Current() const { return current_; }

  bool IncludeScreenshot() const;
  Contact ContactDetails() const;
  void SetStatus(const wchar_t* text) const;
  // WM_CTLCOLORSTATIC: the ground a static text, a check box or the
  // read-only report is drawn on.
  HBRUSH StaticGround(HDC dc, HWND control) const;
  // Takes the tab control's own ground again (after a theme or colour change).
  void MatchPageGround();
  // WM_DRAWITEM of the picture: the screenshot scaled to fit, centred, its
  // aspect kept, on a grey ground.
  void DrawPicture(const DRAWITEMSTRUCT& item) const;

 private:
  HWND Make(const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle = 0);
  int Px(int units) const { return ::MulDiv(units, dpi_, 96); }
  void Place(int id, int x, int y, int width, int height) const;

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  const Screenshot* screenshot_ = nullptr;
  int dpi_ = 96;
  HBRUSH pageGround_ = nullptr;
  COLORREF pageColour_ = 0;
  BugReportView current_ = BugReportView::kDetail;
};

}  // namespace velmoran::crash
