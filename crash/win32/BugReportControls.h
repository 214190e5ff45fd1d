#pragma once

// The bug-report window's class, caption and child control ids: what a test
// or an accessibility tool finds the window and its controls by
// (FindWindowW, GetDlgItem).

namespace velmoran::crash {

inline constexpr wchar_t kBugReportWindowClass[] = L"VelmoranBugReportWindow";
inline constexpr wchar_t kBugReportCaption[] = L"벨모란 - 오류 보고";

enum BugReportControl : int {
  kIntroText = 100,
  kViewTabs = 101,
  // 자세히
  kDetailEdit = 110,
  // 연락처
  kContactHint = 120,
  kNameLabel = 121,
  kNameEdit = 122,
  kEmailLabel = 123,
  kEmailEdit = 124,
  kDoingLabel = 125,
  kDoingEdit = 126,
  // 화면
  kIncludeScreenshot = 130,
  kScreenshotPicture = 131,
  // The buttons under the views
  kStatusText = 140,
  kSaveButton = 141,
  kRestartButton = 142,
  kCloseButton = 143,
};

// The views in the order of their tabs.
enum class BugReportView : int { kDetail = 0, kContact = 1, kScreenshot = 2 };

}  // namespace velmoran::crash
