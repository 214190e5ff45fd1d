#include "crash/win32/BugReportViews.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>

#include "platform/win32/WideText.h"

namespace velmoran::crash {
namespace {

using platform::win32::AsWide;
using platform::win32::Utf16Text;

constexpr std::array kDetailControls{kDetailEdit};
constexpr std::array kContactControls{kContactHint, kNameLabel,  kNameEdit, kEmailLabel,
                                      kEmailEdit,   kDoingLabel, kDoingEdit};
constexpr std::array kScreenshotControls{kIncludeScreenshot, kScreenshotPicture};

// Layout units (pixels at 96 dpi).
constexpr int kMargin = 12;
constexpr int kGap = 8;
constexpr int kIntroHeight = 54;
constexpr int kButtonWidth = 104;
constexpr int kButtonHeight = 28;
constexpr int kLabelHeight = 20;
constexpr int kFieldHeight = 24;
constexpr int kFieldWidth = 360;

// A multi-line edit shows only "\r\n" as a line end; a report written with
// bare "\n" would otherwise read as one long line.
std::wstring WithCrLf(std::u16string_view text) {
  std::wstring out;
  out.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) out.push_back(L'\r');
    out.push_back(static_cast<wchar_t>(text[i]));
  }
  return out;
}

std::u16string TextOf(HWND control) {
  const int length = ::GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), length + 1)));
  return Utf16Text(text.c_str(), text.size());
}

// A picture whose pixels do not cover its size would have StretchDIBits read past them.
bool Drawable(const Screenshot* picture) {
  return picture != nullptr && picture->width > 0 && picture->height > 0 &&
         picture->pixels.size() >=
             static_cast<std::size_t>(picture->width) * static_cast<std::size_t>(picture->height);
}

}  // namespace

HWND BugReportViews::Make(const wchar_t* className, const wchar_t* text, DWORD style, int id, DWORD exStyle) {
  const HWND control = ::CreateWindowExW(exStyle, className, text, WS_CHILD | style, 0, 0, 0, 0, window_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void BugReportViews::Create(HWND window, HFONT font, HFONT boldFont, const BugReport& report, int dpi) {
  window_ = window;
  font_ = font;
  dpi_ = dpi;
  screenshot_ = &report.screenshot;

  const std::wstring intro =
      L"프로그램에 문제가 발생하여 종료됩니다. 불편을 드려 죄송합니다.\r\n"
      L"문제의 내용은 아래 폴더에 보고서로 남았습니다. 보고서를 저장하여 보내 주시면 문제를 고치는 데 큰 "
      L"도움이 "
      L"됩니다.\r\n" +
      std::wstring(AsWide(report.folder));
  const HWND introText = Make(L"STATIC", intro.c_str(), WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kIntroText);
  ::SendMessageW(introText, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont), FALSE);

  // The tab control first and clipping its siblings: the views' controls lie
  // on it and must be drawn over it, not under it.
  const HWND tabs = Make(WC_TABCONTROLW, L"", WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, kViewTabs);
  const wchar_t* const names[] = {L"자세히", L"연락처", L"화면"};
  for (int i = 0; i < 3; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    // TCITEMW's text is not const; inserting a tab only reads it.
    item.pszText = const_cast<wchar_t*>(names[i]);
    ::SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }

  const HWND detail = Make(L"EDIT", L"",
                           WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY |
                               ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                           kDetailEdit, WS_EX_CLIENTEDGE);
  ::SendMessageW(detail, EM_SETLIMITTEXT, 0,
                 0);  // a report may be longer than an edit's first 32 K characters
  ::SetWindowTextW(detail, WithCrLf(report.reportText).c_str());

  Make(L"STATIC",
       L"적어 주신 내용은 보고서 폴더의 contact.txt에 저장되며, 저장하는 보고서에 함께 들어갑니다.",
       SS_LEFT | SS_NOPREFIX, kContactHint);
  Make(L"STATIC", L"이름", SS_LEFT, kNameLabel);
  Make(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kNameEdit, WS_EX_CLIENTEDGE);
  Make(L"STATIC", L"이메일", SS_LEFT, kEmailLabel);
  Make(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kEmailEdit, WS_EX_CLIENTEDGE);
  Make(L"STATIC", L"무엇을 하고 있었는지", SS_LEFT, kDoingLabel);
  Make(L"EDIT", L"", WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, kDoingEdit,
       WS_EX_CLIENTEDGE);

  const HWND include =
      Make(L"BUTTON", L"보고서에 화면 포함", WS_TABSTOP | BS_AUTOCHECKBOX, kIncludeScreenshot);
  if (!Drawable(&report.screenshot)) {
    // Nothing to include; the folder has no picture either.
    ::EnableWindow(include, FALSE);
  } else {
    ::SendMessageW(include, BM_SETCHECK, BST_CHECKED, 0);
  }
  Make(L"STATIC", L"", SS_OWNERDRAW, kScreenshotPicture);

  Make(L"STATIC", L"", WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kStatusText);
  Make(L"BUTTON", L"보고서 저장", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kSaveButton);
  Make(L"BUTTON", L"다시 시작", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kRestartButton);
  Make(L"BUTTON", L"닫기", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCloseButton);

  Show(BugReportView::kDetail);
}

void BugReportViews::Place(int id, int x, int y, int width, int height) const {
  ::SetWindowPos(::GetDlgItem(window_, id), HWND_TOP, x, y, std::max(width, 0), std::max(height, 0),
                 SWP_NOACTIVATE);
}

void BugReportViews::Layout(int clientWidth, int clientHeight) {
  const int margin = Px(kMargin);
  const int gap = Px(kGap);
  const int width = clientWidth - 2 * margin;
  Place(kIntroText, margin, margin, width, Px(kIntroHeight));

  const int buttonTop = clientHeight - margin - Px(kButtonHeight);
  int buttonLeft = clientWidth - margin;
  for (const int id : {kCloseButton, kRestartButton, kSaveButton}) {
    buttonLeft -= Px(kButtonWidth);
    Place(id, buttonLeft, buttonTop, Px(kButtonWidth), Px(kButtonHeight));
    buttonLeft -= gap;
  }
  Place(kStatusText, margin, buttonTop + Px(6), buttonLeft - margin, Px(kLabelHeight));

  const int tabsTop = margin + Px(kIntroHeight) + gap;
  RECT page{margin, tabsTop, margin + width, buttonTop - gap};
  Place(kViewTabs, page.left, page.top, page.right - page.left, page.bottom - page.top);
  // The tab control's display area, in its own client coordinates, then in the window's.
  RECT inner{0, 0, page.right - page.left, page.bottom - page.top};
  ::SendMessageW(::GetDlgItem(window_, kViewTabs), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inner));
  ::OffsetRect(&inner, page.left, page.top);
  ::InflateRect(&inner, -gap, -gap);
  const int x = inner.left;
  const int innerWidth = inner.right - inner.left;

  Place(kDetailEdit, x, inner.top, innerWidth, inner.bottom - inner.top);

  int y = inner.top;
  Place(kContactHint, x, y, innerWidth, Px(kLabelHeight));
  y += Px(kLabelHeight) + gap;
  const int fieldWidth = std::min(innerWidth, Px(kFieldWidth));
  for (const auto& [label, field] : {std::pair{kNameLabel, kNameEdit}, std::pair{kEmailLabel, kEmailEdit}}) {
    Place(label, x, y, fieldWidth, Px(kLabelHeight));
    y += Px(kLabelHeight);
    Place(field, x, y, fieldWidth, Px(kFieldHeight));
    y += Px(kFieldHeight) + gap;
  }
  Place(kDoingLabel, x, y, innerWidth, Px(kLabelHeight));
  y += Px(kLabelHeight);
  Place(kDoingEdit, x, y, innerWidth, inner.bottom - y);

  Place(kIncludeScreenshot, x, inner.top, innerWidth, Px(kFieldHeight));
  const int pictureTop = inner.top + Px(kFieldHeight) + gap;
  Place(kScreenshotPicture, x, pictureTop, innerWidth, inner.bottom - pictureTop);
}

BugReportViews::~BugReportViews() {
  if (pageGround_ != nullptr) ::DeleteObject(pageGround_);
}

void BugReportViews::MatchPageGround() {
  // The tab control paints its page in the face colour unthemed, white or a
  // theme's colour themed (Wine themes it too). The labels and the check box
  // on the page take whatever it is, read from the control's own painting.
  const HWND tabs = ::GetDlgItem(window_, kViewTabs);
  RECT inner{};
  ::GetClientRect(tabs, &inner);
  ::SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inner));
  COLORREF colour = ::GetSysColor(COLOR_BTNFACE);
  const HDC screen = ::GetDC(tabs);
  const HDC memory = ::CreateCompatibleDC(screen);
  RECT whole{};
  ::GetClientRect(tabs, &whole);
  const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, whole.right, whole.bottom);
  if (memory != nullptr && bitmap != nullptr) {
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::FillRect(memory, &whole, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF painted =
        ::GetPixel(memory, (inner.left + inner.right) / 2, (inner.top + inner.bottom) / 2);
    if (painted != CLR_INVALID) colour = painted;
    ::SelectObject(memory, previous);
  }
  if (bitmap != nullptr) ::DeleteObject(bitmap);
  if (memory != nullptr) ::DeleteDC(memory);
  ::ReleaseDC(tabs, screen);
  if (pageGround_ != nullptr) ::DeleteObject(pageGround_);
  pageColour_ = colour;
  pageGround_ = ::CreateSolidBrush(colour);
}

HBRUSH BugReportViews::StaticGround(HDC dc, HWND control) const {
  const int id = ::GetDlgCtrlID(control);
  if (id == kDetailEdit) {
    // Read-only, yet a text to read: the ground of any edit, not the face colour.
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
  }
  if (id == kIntroText || id == kStatusText || pageGround_ == nullptr) {
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
  }
  ::SetBkColor(dc, pageColour_);
  return pageGround_;
}

void BugReportViews::Show(BugReportView view) {
  current_ = view;
  const HWND tabs = ::GetDlgItem(window_, kViewTabs);
  if (::SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != static_cast<int>(view)) {
    ::SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(view), 0);
  }
  const auto showAll = [this](const auto& ids, bool visible) {
    for (const int id : ids) ::ShowWindow(::GetDlgItem(window_, id), visible ? SW_SHOWNA : SW_HIDE);
  };
  showAll(kDetailControls, view == BugReportView::kDetail);
  showAll(kContactControls, view == BugReportView::kContact);
  showAll(kScreenshotControls, view == BugReportView::kScreenshot);
}

bool BugReportViews::IncludeScreenshot() const {
  return ::SendMessageW(::GetDlgItem(window_, kIncludeScreenshot), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Contact BugReportViews::ContactDetails() const {
  return Contact{TextOf(::GetDlgItem(window_, kNameEdit)), TextOf(::GetDlgItem(window_, kEmailEdit)),
                 TextOf(::GetDlgItem(window_, kDoingEdit))};
}

void BugReportViews::SetStatus(const wchar_t* text) const {
  ::SetWindowTextW(::GetDlgItem(window_, kStatusText), text);
}

void BugReportViews::DrawPicture(const DRAWITEMSTRUCT& item) const {
  const RECT area = item.rcItem;
  const HDC dc = item.hDC;
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNSHADOW));
  if (!Drawable(screenshot_)) {
    RECT textArea = area;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOW));
    const HGDIOBJ previous = ::SelectObject(dc, font_);
    ::DrawTextW(dc, L"화면을 찍지 못했습니다.", -1, &textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, previous);
    return;
  }
  const int areaWidth = area.right - area.left;
  const int areaHeight = area.bottom - area.top;
  // Never enlarged: a small picture stays sharp at its own size.
  const double scale = std::min({1.0, static_cast<double>(areaWidth) / screenshot_->width,
                                 static_cast<double>(areaHeight) / screenshot_->height});
  const int width = std::max(1, static_cast<int>(screenshot_->width * scale));
  const int height = std::max(1, static_cast<int>(screenshot_->height * scale));
  const int left = area.left + (areaWidth - width) / 2;
  const int top = area.top + (areaHeight - height) / 2;

  // 0x00RRGGBB in memory is B, G, R, 0: a 32-bit DIB's own pixel order. A
  // negative height says the rows run top to bottom, as the screenshot's do.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = screenshot_->width;
  info.bmiHeader.biHeight = -screenshot_->height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ::SetStretchBltMode(dc, HALFTONE);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ::StretchDIBits(dc, left, top, width, height, 0, 0, screenshot_->width, screenshot_->height,
                  screenshot_->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace velmoran::crash
