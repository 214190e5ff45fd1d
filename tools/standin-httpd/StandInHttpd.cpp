// httpd.exe, a stand-in for the local web server in tests of the executable
// under Wine: a process with the server's image name that stays alive, serves
// nothing and ends when asked.
//
//   httpd.exe           runs until its hidden window is closed: "taskkill /im httpd.exe"
//                       (without /f) or "httpd.exe --stop"; it can also be killed
//   httpd.exe --stop    closes every running stand-in and returns at once
//   httpd.exe --running exits with 0 when a stand-in is running (its window exists), 1 otherwise
//
// Any other argument is ignored, as the shell's launcher passes none.

#include <windows.h>

#include <cwchar>

namespace {

// Top-level and hidden: a message-only window would be invisible to taskkill,
// which ends a process gently by closing its top-level windows.
constexpr wchar_t kClassName[] = L"VelmoranStandInHttpd";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    ::DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

int Running() { return ::FindWindowW(kClassName, nullptr) != nullptr ? 0 : 1; }

int StopRunning() {
  for (HWND window = ::FindWindowW(kClassName, nullptr); window != nullptr;
       window = ::FindWindowExW(nullptr, window, kClassName, nullptr)) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  if (commandLine != nullptr && std::wcscmp(commandLine, L"--stop") == 0) return StopRunning();
  if (commandLine != nullptr && std::wcscmp(commandLine, L"--running") == 0) return Running();

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (::RegisterClassExW(&windowClass) == 0) return 1;
  if (::CreateWindowExW(0, kClassName, L"httpd", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr, instance,
                        nullptr) == nullptr) {
    return 1;
  }
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
