#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "codec/Crc32.h"
#include "codec/Deflate.h"
#include "crash/BugReport.h"
#include "crash/win32/BugReportControls.h"
#include "crash/win32/BugReportWindow.h"
#include "crash/win32/ReportArchive.h"
#include "tests/crash/ZipReading.h"
#include "tests/crash/win32/WindowCapture.h"
#include "tests/support/CaseName.h"

namespace {

using velmoran::codec::Crc32;
using velmoran::crash::BugReport;
using velmoran::crash::BugReportChoice;
using velmoran::crash::kBugReportCaption;
using velmoran::crash::kBugReportWindowClass;
using velmoran::crash::SaveReportArchive;
using velmoran::crash::ShowBugReportWindow;
using velmoran::test::CaptureWindow;
using velmoran::test::CaseName;
using velmoran::test::ReadZip;
using velmoran::test::SaveArtifact;
using velmoran::test::WindowPicture;
namespace ids = velmoran::crash;

constexpr DWORD kPatience = 20000;

template <typename Condition>
bool WaitFor(Condition condition) {
  const ULONGLONG end = ::GetTickCount64() + kPatience;
  while (!condition()) {
    if (::GetTickCount64() >= end) return false;
    ::Sleep(25);
  }
  return true;
}

constexpr char kFolderName[] = "20261210-203525";
constexpr char kReportText[] =
    "벨모란 V.26.04.28 오류 보고\r\n예외: 0xC0000005 (접근 위반)\r\n주소: 0x00401234\r\n스레드 7\r\n";
constexpr std::uint32_t kLeftColour = 0xC03030;   // the screenshot's left half
constexpr std::uint32_t kRightColour = 0x3050C0;  // and its right half

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(
      CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

std::u16string U16(const std::wstring& wide) { return std::u16string(wide.begin(), wide.end()); }

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  const HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  for (DWORD got = 0; ::ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE && got > 0;) {
    bytes.append(buffer, got);
  }
  ::CloseHandle(file);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A report folder in the temporary folder, with the files a crash leaves.
class ReportFolder {
 public:
  ReportFolder() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"velmoran-bug-report-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter_++);
    ::CreateDirectoryW(root_.c_str(), nullptr);
    folder_ = root_ + L"\\" + Wide(kFolderName);
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    files_ = {{"report.txt", kReportText},
              {"minidump.dmp", std::string("MDMP\x93\xA7\0\0", 8) + std::string(5000, 'm')},
              {"screenshot.png", std::string("\x89PNG\r\n\x1A\n", 8) + std::string(300, 'p')}};
    for (const auto& [name, content] : files_) WriteFileBytes(In(name), content);
  }
  ~ReportFolder() { RemoveTree(root_); }
  ReportFolder(const ReportFolder&) = delete;
  ReportFolder& operator=(const ReportFolder&) = delete;

  BugReport Report() const {
    BugReport report;
    report.folder = U16(folder_);
    report.reportText = U16(Wide(kReportText));
    report.screenshot.width = 400;
    report.screenshot.height = 300;
    for (int y = 0; y < 300; ++y) {
      for (int x = 0; x < 400; ++x) report.screenshot.pixels.push_back(x < 200 ? kLeftColour : kRightColour);
    }
    return report;
  }
  std::wstring In(const std::string& name) const { return folder_ + L"\\" + Wide(name); }
  std::wstring Beside(const std::string& name) const { return root_ + L"\\" + Wide(name); }
  const std::vector<std::pair<std::string, std::string>>& files() const { return files_; }

 private:
  static void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
          RemoveTree(path + L"\\" + name);
        } else {
          ::DeleteFileW((path + L"\\" + name).c_str());
        }
      } while (::FindNextFileW(search, &found) != FALSE);
      ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
  }

  static inline int counter_ = 0;
  std::wstring root_;
  std::wstring folder_;
  std::vector<std::pair<std::string, std::string>> files_;
};

// The window on a thread of its own, as the crash handler shows it.
class ShownWindow {
 public:
  explicit ShownWindow(const BugReport& report)
      : report_(report),
        choice_(std::async(std::launch::async, [this] { return ShowBugReportWindow(report_); })) {
    WaitFor([this] {
      window_ = ::FindWindowW(kBugReportWindowClass, nullptr);
      return window_ != nullptr && ::IsWindowVisible(window_) != FALSE;
    });
  }
  ~ShownWindow() {
    if (choice_.valid() && choice_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
      ::PostMessageW(window_, WM_CLOSE, 0, 0);
      choice_.wait();
    }
  }
  ShownWindow(const ShownWindow&) = delete;
  ShownWindow& operator=(const ShownWindow&) = delete;

  HWND window() const { return window_; }
  HWND Child(int id) const { return ::GetDlgItem(window_, id); }
  // How the user left, once the window has closed.
  std::optional<BugReportChoice> Choice() {
    if (choice_.wait_for(std::chrono::milliseconds(kPatience)) != std::future_status::ready)
      return std::nullopt;
    return choice_.get();
  }

  // A click on a tab, where the user would click.
  void ClickTab(int index) const {
    const HWND tabs = Child(ids::kViewTabs);
    RECT item{};
    ::SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(tabs, WM_LBUTTONUP, 0, at);
  }
  // Keys typed into a field: Enter is the carriage return a keyboard sends.
  void Type(int id, const std::wstring& text) const {
    for (const wchar_t c : text) {
      if (c != L'\n') ::SendMessageW(Child(id), WM_CHAR, c, 1);
    }
  }
  // The picture after the window has painted what it was last told to.
  WindowPicture Picture() const {
    ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(300);
    return CaptureWindow(window_);
  }

 private:
  BugReport report_;
  std::future<BugReportChoice> choice_;
  HWND window_ = nullptr;
};

class BugReportWindowTest : public testing::Test {
 protected:
  ReportFolder folder_;
};

struct ViewCase {
  const char* name;
  int tab;
  std::vector<int> shown;
};

const std::vector<int> kEveryViewControl = {
    ids::kDetailEdit, ids::kContactHint, ids::kNameLabel, ids::kNameEdit,          ids::kEmailLabel,
    ids::kEmailEdit,  ids::kDoingLabel,  ids::kDoingEdit, ids::kIncludeScreenshot, ids::kScreenshotPicture};

class BugReportViewCases : public BugReportWindowTest, public testing::WithParamInterface<ViewCase> {};

TEST_P(BugReportViewCases, ATabShowsItsViewAndHidesTheOthers) {
  ShownWindow shown(folder_.Report());
  ASSERT_NE(shown.window(), nullptr);
  EXPECT_EQ(TextOf(shown.window()), kBugReportCaption);
  EXPECT_NE(::GetWindowLongW(shown.window(), GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_EQ(::GetWindow(shown.window(), GW_OWNER), nullptr);
  // Another view first, so the click really changes the view.
  shown.ClickTab((GetParam().tab + 1) % 3);
  shown.ClickTab(GetParam().tab);
  EXPECT_EQ(::SendMessageW(shown.Child(ids::kViewTabs), TCM_GETCURSEL, 0, 0), GetParam().tab);
  for (const int id : kEveryViewControl) {
    const bool expected =
        std::find(GetParam().shown.begin(), GetParam().shown.end(), id) != GetParam().shown.end();
    EXPECT_EQ(::IsWindowVisible(shown.Child(id)) != FALSE, expected) << "control " << id;
  }
  for (const int id :
       {ids::kIntroText, ids::kViewTabs, ids::kSaveButton, ids::kRestartButton, ids::kCloseButton}) {
    EXPECT_TRUE(::IsWindowVisible(shown.Child(id))) << "control " << id << " belongs to every view";
  }
  EXPECT_EQ(TextOf(shown.Child(ids::kDetailEdit)), Wide(kReportText));
  EXPECT_EQ(::SendMessageW(shown.Child(ids::kIncludeScreenshot), BM_GETCHECK, 0, 0), BST_CHECKED);

  const WindowPicture picture = shown.Picture();
  ASSERT_FALSE(picture.pixels.empty());
  SaveArtifact(picture, std::string("bug-report-") + GetParam().name);
  if (GetParam().tab == 2) {
    // The screenshot drawn at its own size in the middle of the picture control.
    RECT area{};
    ::GetWindowRect(shown.Child(ids::kScreenshotPicture), &area);
    const POINT centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    EXPECT_EQ(picture.At({centre.x - 100, centre.y}), kLeftColour);
    EXPECT_EQ(picture.At({centre.x + 100, centre.y}), kRightColour);
    EXPECT_NE(picture.At({centre.x - 210, centre.y}), kLeftColour) << "not enlarged past its 400 pixels";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Views, BugReportViewCases,
    testing::Values(ViewCase{"detail", 0, {ids::kDetailEdit}},
                    ViewCase{"contact",
                             1,
                             {ids::kContactHint, ids::kNameLabel, ids::kNameEdit, ids::kEmailLabel,
                              ids::kEmailEdit, ids::kDoingLabel, ids::kDoingEdit}},
                    ViewCase{"screenshot", 2, {ids::kIncludeScreenshot, ids::kScreenshotPicture}}),
    CaseName());

TEST_F(BugReportWindowTest, WithoutAPictureTheScreenshotViewSaysSoAndOffersNothingToInclude) {
  BugReport report = folder_.Report();
  report.screenshot = {};
  ShownWindow shown(report);
  ASSERT_NE(shown.window(), nullptr);
  shown.ClickTab(2);
  const HWND include = shown.Child(ids::kIncludeScreenshot);
  EXPECT_FALSE(::IsWindowEnabled(include));
  EXPECT_EQ(::SendMessageW(include, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  const WindowPicture picture = shown.Picture();
  SaveArtifact(picture, "bug-report-no-screenshot");
  RECT area{};
  ::GetWindowRect(shown.Child(ids::kScreenshotPicture), &area);
  const std::uint32_t ground = picture.At({area.left + 5, area.top + 5});
  for (const POINT at : {POINT{(area.left + area.right) / 2 - 100, area.top + 60},
                         POINT{(area.left + area.right) / 2 + 100, area.bottom - 60}}) {
    EXPECT_EQ(picture.At(at), ground) << "nothing drawn but the ground and the words";
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab from the keyboard, as in a property sheet.
TEST_F(BugReportWindowTest, CtrlTabStepsThroughTheViews) {
  ShownWindow shown(folder_.Report());
  ASSERT_NE(shown.window(), nullptr);
  ::SetForegroundWindow(shown.window());
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == shown.window(); }));
  const auto press = [](bool shift) {
    std::vector<INPUT> keys;
    const auto key = [&keys](WORD code, bool up) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = code;
      input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      keys.push_back(input);
    };
    key(VK_CONTROL, false);
    if (shift) key(VK_SHIFT, false);
    key(VK_TAB, false);
    key(VK_TAB, true);
    if (shift) key(VK_SHIFT, true);
    key(VK_CONTROL, true);
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  };
  const HWND tabs = shown.Child(ids::kViewTabs);
  struct Step {
    bool shift;
    int view;  // where the step lands
  };
  for (const Step step : {Step{false, 1}, Step{false, 2}, Step{false, 0}, Step{true, 2}}) {
    press(step.shift);
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == step.view; }))
        << "to view " << step.view;
  }
  EXPECT_TRUE(::IsWindowVisible(shown.Child(ids::kIncludeScreenshot)));
}

// What the contact view is given, and the contact.txt it must become.
const std::wstring kTypedName = L"홍길동";
const std::wstring kTypedEmail = L"gildong@example.kr";
const std::wstring kTypedDoing = L"촬영을 네 번 눌렀습니다.\r\n그 뒤 멈췄습니다.";
constexpr char kContactFile[] =
    "이름: 홍길동\r\n이메일: gildong@example.kr\r\n무엇을 하고 있었는지:\r\n촬영을 네 번 눌렀습니다.\r\n그 "
    "뒤 "
    "멈췄습니다.\r\n";

void TypeContact(const ShownWindow& shown) {
  shown.ClickTab(1);
  shown.Type(ids::kNameEdit, kTypedName);
  shown.Type(ids::kEmailEdit, kTypedEmail);
  shown.Type(ids::kDoingEdit, kTypedDoing);
}

struct LeaveCase {
  const char* name;
  int button;  // 0: the caption's close box; -1: the thread is asked to end (WM_QUIT)
  BugReportChoice choice;
};

class BugReportLeaveCases : public BugReportWindowTest, public testing::WithParamInterface<LeaveCase> {};

TEST_P(BugReportLeaveCases, LeavingGivesTheChoiceAndKeepsTheContact) {
  ShownWindow shown(folder_.Report());
  ASSERT_NE(shown.window(), nullptr);
  TypeContact(shown);
  EXPECT_EQ(TextOf(shown.Child(ids::kDoingEdit)), kTypedDoing);
  if (GetParam().button > 0) {
    ::PostMessageW(shown.Child(GetParam().button), BM_CLICK, 0, 0);
  } else if (GetParam().button == 0) {
    ::PostMessageW(shown.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  } else {
    ::PostThreadMessageW(::GetWindowThreadProcessId(shown.window(), nullptr), WM_QUIT, 0, 0);
  }
  const auto choice = shown.Choice();
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(*choice, GetParam().choice);
  EXPECT_FALSE(::IsWindow(shown.window()));
  EXPECT_EQ(ReadFileBytes(folder_.In("contact.txt")), kContactFile);
}

INSTANTIATE_TEST_SUITE_P(Leaving, BugReportLeaveCases,
                         testing::Values(LeaveCase{"restart", ids::kRestartButton, BugReportChoice::kRestart},
                                         LeaveCase{"close", ids::kCloseButton, BugReportChoice::kClose},
                                         LeaveCase{"close_box", 0, BugReportChoice::kClose},
                                         LeaveCase{"thread_asked_to_end", -1, BugReportChoice::kClose}),
                         CaseName());

// The dialog (the save dialog, a message box) `window` opened, once it is up.
HWND DialogOwnedBy(HWND window) {
  HWND dialog = nullptr;
  WaitFor([&] {
    dialog = nullptr;
    for (HWND candidate = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); candidate != nullptr;
         candidate = ::FindWindowExW(nullptr, candidate, L"#32770", nullptr)) {
      if (::GetWindow(candidate, GW_OWNER) == window && ::IsWindowVisible(candidate)) dialog = candidate;
    }
    return dialog != nullptr;
  });
  return dialog;
}

// The dialog's file name field: an edit inside the combo box cmb13, or the edit edt1.
HWND FileNameField(HWND dialog) {
  if (const HWND combo = ::GetDlgItem(dialog, cmb13); combo != nullptr) {
    if (const HWND edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr); edit != nullptr) return edit;
    return combo;
  }
  return ::GetDlgItem(dialog, edt1);
}

TEST_F(BugReportWindowTest, SavingWithoutTheScreenshotGivesTheFolderAsOneZip) {
  ShownWindow shown(folder_.Report());
  ASSERT_NE(shown.window(), nullptr);
  TypeContact(shown);
  SaveArtifact(shown.Picture(), "bug-report-contact-typed");
  shown.ClickTab(2);
  ::SendMessageW(shown.Child(ids::kIncludeScreenshot), BM_CLICK, 0, 0);
  EXPECT_EQ(::SendMessageW(shown.Child(ids::kIncludeScreenshot), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SaveArtifact(shown.Picture(), "bug-report-screenshot-left-out");

  ::PostMessageW(shown.Child(ids::kSaveButton), BM_CLICK, 0, 0);
  const HWND dialog = DialogOwnedBy(shown.window());
  ASSERT_NE(dialog, nullptr) << "the save dialog did not open";
  const HWND field = FileNameField(dialog);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(TextOf(field), Wide(kFolderName) + L".zip") << "the folder's own name is offered";
  ::Sleep(500);  // the dialog fills its folder view after it shows
  SaveArtifact(CaptureWindow(dialog), "bug-report-save-dialog");
  const std::wstring target = folder_.Beside("보고서.zip");
  ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); })) << "the save dialog stayed open";
  ASSERT_TRUE(WaitFor([&] {
    return TextOf(shown.Child(ids::kStatusText)).find(target) != std::wstring::npos;
  })) << "no word of the save: "
      << std::string(TextOf(shown.Child(ids::kStatusText)).size(), '?');
  SaveArtifact(shown.Picture(), "bug-report-saved");

  const std::string zip = ReadFileBytes(target);
  const auto entries = ReadZip(zip);
  ASSERT_TRUE(entries.has_value());
  std::vector<std::pair<std::string, std::string>> expected = {{"contact.txt", kContactFile},
                                                               folder_.files()[1],   // minidump.dmp
                                                               folder_.files()[0]};  // report.txt
  ASSERT_EQ(entries->size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& entry = (*entries)[i];
    EXPECT_EQ(entry.name, std::string(kFolderName) + "/" + expected[i].first);
    // Deflated where that is smaller (Python's zipfile inflates the same
    // deflater's entries in the native ZIP tests), stored otherwise.
    ASSERT_TRUE(entry.method == 0 || entry.method == 8) << entry.method;
    EXPECT_EQ(entry.data,
              entry.method == 8 ? velmoran::codec::DeflateRaw(expected[i].second) : expected[i].second)
        << entry.name;
    EXPECT_EQ(entry.crc, Crc32(expected[i].second)) << entry.name;
    EXPECT_NE(entry.date, 0) << "the file's own date";
  }

  ::PostMessageW(shown.Child(ids::kCloseButton), BM_CLICK, 0, 0);
  EXPECT_EQ(shown.Choice(), BugReportChoice::kClose);
}

// Every text a dialog shows, one line each.
std::wstring DialogTexts(HWND dialog) {
  std::wstring texts;
  for (HWND child = ::FindWindowExW(dialog, nullptr, nullptr, nullptr); child != nullptr;
       child = ::FindWindowExW(dialog, child, nullptr, nullptr)) {
    texts += TextOf(child) + L"\n";
  }
  return texts;
}

void PressDialogButton(HWND dialog, int id) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

TEST_F(BugReportWindowTest, AFailedSaveSaysWhyAndKeepsTheWindow) {
  // Another program holds the file the user picks.
  const std::wstring target = folder_.Beside("busy.zip");
  const HANDLE held = ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ShownWindow shown(folder_.Report());
  ASSERT_NE(shown.window(), nullptr);
  ::PostMessageW(shown.Child(ids::kSaveButton), BM_CLICK, 0, 0);
  const HWND dialog = DialogOwnedBy(shown.window());
  ASSERT_NE(dialog, nullptr);
  ::SendMessageW(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  PressDialogButton(dialog, IDOK);
  // The dialog asks before it lets an existing file be replaced.
  const HWND replace = DialogOwnedBy(dialog);
  ASSERT_NE(replace, nullptr) << "no question about replacing the file";
  PressDialogButton(replace, IDYES);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));

  const HWND message = DialogOwnedBy(shown.window());
  ASSERT_NE(message, nullptr) << "the failure was not told";
  wchar_t reason[512] = {};
  ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_SHARING_VIOLATION, 0, reason, 512, nullptr);
  std::wstring systemReason = reason;
  while (!systemReason.empty() && systemReason.back() <= L' ') systemReason.pop_back();
  const std::wstring texts = DialogTexts(message);
  EXPECT_EQ(TextOf(message), kBugReportCaption);
  EXPECT_NE(texts.find(L"보고서를 저장하지 못했습니다."), std::wstring::npos);
  EXPECT_NE(texts.find(target), std::wstring::npos);
  EXPECT_FALSE(systemReason.empty());
  EXPECT_NE(texts.find(systemReason), std::wstring::npos) << "the system's own reason";
  SaveArtifact(CaptureWindow(message), "bug-report-save-failed");
  PressDialogButton(message, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(message); }));

  EXPECT_TRUE(::IsWindowVisible(shown.window())) << "the window stays for another try";
  EXPECT_EQ(TextOf(shown.Child(ids::kStatusText)), L"");
  LARGE_INTEGER size{};
  ::GetFileSizeEx(held, &size);
  EXPECT_EQ(size.QuadPart, 0) << "the other program's file is left alone";
  ::CloseHandle(held);
  ::PostMessageW(shown.Child(ids::kCloseButton), BM_CLICK, 0, 0);
  EXPECT_EQ(shown.Choice(), BugReportChoice::kClose);
}

// A top-level window whose thread stops answering, as the main window's
// thread may be when the shell fails.
class StuckWindow {
 public:
  StuckWindow() : release_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    auto window = made_.get_future();
    thread_ = std::thread([this] {
      const HWND stuck = ::CreateWindowExW(0, L"STATIC", L"stuck", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                           200, 100, nullptr, nullptr, nullptr, nullptr);
      made_.set_value(stuck);
      ::WaitForSingleObject(release_, INFINITE);
      ::DestroyWindow(stuck);
    });
    window_ = window.get();
  }
  ~StuckWindow() {
    ::SetEvent(release_);
    thread_.join();
    ::CloseHandle(release_);
  }
  StuckWindow(const StuckWindow&) = delete;
  StuckWindow& operator=(const StuckWindow&) = delete;

  HWND window() const { return window_; }

 private:
  HANDLE release_;
  std::promise<HWND> made_;
  std::thread thread_;
  HWND window_ = nullptr;
};

TEST_F(BugReportWindowTest, TheWindowAndItsDialogAnswerWhileAnotherWindowsThreadIsStuck) {
  const StuckWindow stuck;
  ASSERT_NE(stuck.window(), nullptr);
  DWORD_PTR ignored = 0;
  ASSERT_EQ(::SendMessageTimeoutW(stuck.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &ignored), 0)
      << "the other window answers after all";
  ShownWindow shown(folder_.Report());
  ASSERT_NE(shown.window(), nullptr);
  shown.ClickTab(1);
  EXPECT_TRUE(::IsWindowVisible(shown.Child(ids::kNameEdit)));
  ::PostMessageW(shown.Child(ids::kSaveButton), BM_CLICK, 0, 0);
  const HWND dialog = DialogOwnedBy(shown.window());
  ASSERT_NE(dialog, nullptr);
  PressDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
  EXPECT_EQ(TextOf(shown.Child(ids::kStatusText)), L"") << "a cancelled save saves nothing";
  ::PostMessageW(shown.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(shown.Choice(), BugReportChoice::kClose);
}

// Below the dialog: what the save makes of the folder, and of a place it cannot write.
TEST_F(BugReportWindowTest, TheArchiveHoldsTheScreenshotOnlyWhenAskedAndNothingIsLeftOfAFailedSave) {
  const std::wstring withPicture = folder_.Beside("with.zip");
  ASSERT_EQ(SaveReportArchive(U16(folder_.In("")).substr(0, U16(folder_.In("")).size() - 1), U16(withPicture),
                              true),
            0u);
  const auto entries = ReadZip(ReadFileBytes(withPicture));
  ASSERT_TRUE(entries.has_value());
  std::vector<std::string> names;
  for (const auto& entry : *entries) names.push_back(entry.name);
  const std::string prefix = std::string(kFolderName) + "/";
  EXPECT_EQ(names, (std::vector<std::string>{prefix + "minidump.dmp", prefix + "report.txt",
                                             prefix + "screenshot.png"}));

  const std::wstring nowhere = folder_.Beside("no such folder\\report.zip");
  EXPECT_EQ(
      SaveReportArchive(U16(folder_.In("")).substr(0, U16(folder_.In("")).size() - 1), U16(nowhere), false),
      static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(::GetFileAttributesW(nowhere.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
