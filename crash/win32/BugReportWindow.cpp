#include "crash/win32/BugReportWindow.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <string>

#include "base/Text.h"
#include "crash/win32/BugReportControls.h"
#include "crash/win32/BugReportViews.h"
#include "crash/win32/ReportArchive.h"
#include "platform/win32/WideText.h"

namespace velmoran::crash {
namespace {

using platform::win32::AsWide;
using platform::win32::TerminatedWide;
using platform::win32::Utf16Text;

// The shell's face; where a machine lacks it (before Windows Vista), GDI's
// font mapper picks the system's own Korean face for the same request.
constexpr wchar_t kFontFace[] = L"맑은 고딕";
constexpr int kFontPoints = 9;
// Room for the three views on a 1280x1024 screen at 96 dpi, with the
// taskbar and the window frame around it.
constexpr int kClientWidth = 800;
constexpr int kClientHeight = 620;

struct WindowState {
  const BugReport* report = nullptr;
  BugReportViews views;
  HFONT font = nullptr;
  HFONT boldFont = nullptr;
  int dpi = 96;
  bool done = false;
  BugReportChoice choice = BugReportChoice::kClose;
};

int ScreenDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

HFONT MakeFont(int dpi, int weight) {
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(kFontPoints, dpi, 72);
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  ::lstrcpynW(font.lfFaceName, kFontFace, LF_FACESIZE);
  return ::CreateFontIndirectW(&font);
}

// The system's own words for an error, in its language.
std::wstring SystemReason(DWORD error) {
  // The allocating form takes the address of the pointer it fills, passed as the buffer.
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string reason = length != 0 ? Utf16Text(text, length) : std::u16string();
  if (text != nullptr) ::LocalFree(text);
  reason = std::u16string(TrimSpacesAndControls(reason));
  if (reason.empty()) reason = u"오류 " + DecimalText(error);
  return TerminatedWide(reason);
}

std::wstring DocumentsFolder() {
  wchar_t path[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return path;
  return std::wstring();
}

// Keeps what the user wrote; a failure here is told only when the user is
// saving (leaving the window, there is no one left to tell).
DWORD KeepContact(const WindowState& state) {
  return WriteContactFile(state.report->folder, state.views.ContactDetails());
}

void SaveReport(HWND window, WindowState& state) {
  if (const DWORD error = KeepContact(state); error != ERROR_SUCCESS) {
    const std::wstring message = L"연락처를 보고서 폴더에 저장하지 못했습니다.\r\n\r\n" + SystemReason(error);
    ::MessageBoxW(window, message.c_str(), kBugReportCaption, MB_OK | MB_ICONERROR);
    return;
  }
  std::wstring file = TerminatedWide(LastPathPart(state.report->folder)) + L".zip";
  file.resize(32768, L'\0');
  const std::wstring documents = DocumentsFolder();
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window;
  dialog.lpstrFilter = L"ZIP 압축 파일 (*.zip)\0*.zip\0모든 파일 (*.*)\0*.*\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = documents.empty() ? nullptr : documents.c_str();
  dialog.lpstrTitle = L"보고서 저장";
  dialog.lpstrDefExt = L"zip";
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (::GetSaveFileNameW(&dialog) == FALSE) return;  // cancelled, or the dialog could not open: nothing saved
  file.resize(::lstrlenW(file.c_str()));

  ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  const DWORD error = SaveReportArchive(state.report->folder, Utf16Text(file.c_str(), file.size()),
                                        state.views.IncludeScreenshot());
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  if (error != ERROR_SUCCESS) {
    const std::wstring message =
        L"보고서를 저장하지 못했습니다.\r\n\r\n" + file + L"\r\n\r\n" + SystemReason(error);
    ::MessageBoxW(window, message.c_str(), kBugReportCaption, MB_OK | MB_ICONERROR);
    return;
  }
  state.views.SetStatus((L"보고서를 저장했습니다: " + file).c_str());
}

void Leave(WindowState& state, BugReportChoice choice) {
  KeepContact(state);
  state.choice = choice;
  state.done = true;
}

LRESULT CALLBACK BugReportProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<WindowState*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (state == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE: {
      state->views.Create(window, state->font, state->boldFont, *state->report, state->dpi);
      RECT client{};
      ::GetClientRect(window, &client);
      state->views.Layout(client.right, client.bottom);
      state->views.MatchPageGround();
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kViewTabs && header->code == TCN_SELCHANGE) {
        const auto selected = ::SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0);
        state->views.Show(static_cast<BugReportView>(selected));
      }
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
          case kSaveButton:
            SaveReport(window, *state);
            return 0;
          case kRestartButton:
            Leave(*state, BugReportChoice::kRestart);
            return 0;
          case kCloseButton:
          case IDCANCEL:  // Esc, through IsDialogMessageW
            Leave(*state, BugReportChoice::kClose);
            return 0;
          default:
            break;
        }
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID == kScreenshotPicture) {
        state->views.DrawPicture(*item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(
          state->views.StaticGround(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      state->views.MatchPageGround();
      ::InvalidateRect(window, nullptr, TRUE);
      break;
    case WM_CLOSE:  // the caption's close box, Alt+F4
      Leave(*state, BugReportChoice::kClose);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&BugReportProcedure), &module);
  return module;
}

bool RegisterOnce(HINSTANCE module) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = BugReportProcedure;
  windowClass.hInstance = module;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = ::LoadIconW(nullptr, IDI_ERROR);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kBugReportWindowClass;
  return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Ctrl+Tab and Ctrl+Shift+Tab step through the views, as in a property sheet.
bool StepView(HWND window, WindowState& state, const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB ||
      (::GetKeyState(VK_CONTROL) & 0x8000) == 0) {
    return false;
  }
  if (message.hwnd != window && !::IsChild(window, message.hwnd)) return false;
  const int step = (::GetKeyState(VK_SHIFT) & 0x8000) != 0 ? 2 : 1;
  state.views.Show(static_cast<BugReportView>((static_cast<int>(state.views.Current()) + step) % 3));
  return true;
}

}  // namespace

BugReportChoice ShowBugReportWindow(const BugReport& report) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);
  const HINSTANCE module = ThisModule();
  if (!RegisterOnce(module)) return BugReportChoice::kClose;

  WindowState state;
  state.report = &report;
  state.dpi = ScreenDpi();
  state.font = MakeFont(state.dpi, FW_NORMAL);
  state.boldFont = MakeFont(state.dpi, FW_BOLD);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, ::MulDiv(kClientWidth, state.dpi, 96), ::MulDiv(kClientHeight, state.dpi, 96)};
  ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
  const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);

  // No owner: the main window may belong to a thread that no longer answers.
  const HWND window = ::CreateWindowExW(exStyle, kBugReportWindowClass, kBugReportCaption, style, left, top,
                                        width, height, nullptr, nullptr, module, &state);
  if (window == nullptr) {
    ::DeleteObject(state.font);
    ::DeleteObject(state.boldFont);
    return BugReportChoice::kClose;
  }
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::SetForegroundWindow(window);
  // The tabs, not a button: an Enter pressed out of habit must not end the window.
  ::SetFocus(::GetDlgItem(window, kViewTabs));

  bool quitSeen = false;
  int quitCode = 0;
  MSG message{};
  while (!state.done) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // The thread was asked to end: leave as by the close box, and hand the
      // request on to whoever runs this thread's loop after us.
      quitSeen = true;
      quitCode = static_cast<int>(message.wParam);
      Leave(state, BugReportChoice::kClose);
      break;
    }
    if (StepView(window, state, message) || ::IsDialogMessageW(window, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ::DestroyWindow(window);
  ::DeleteObject(state.font);
  ::DeleteObject(state.boldFont);
  if (quitSeen) ::PostQuitMessage(quitCode);
  return state.choice;
}

}  // namespace velmoran::crash
