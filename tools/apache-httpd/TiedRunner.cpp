#include "tools/apache-httpd/TiedRunner.h"

#include <windows.h>

#define VELMORAN_WIDEN_(text) L##text
#define VELMORAN_WIDEN(text) VELMORAN_WIDEN_(text)

namespace {

// Quotes one argument so that Wine's command-line splitting (the Windows rules:
// backslashes are literal unless they precede a double quote) gives it back.
std::wstring QuoteArgument(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
    } else if (c == L'"') {
      quoted.append(backslashes + 1, L'\\');
      backslashes = 0;
    } else {
      backslashes = 0;
    }
    quoted.push_back(c);
  }
  quoted.append(backslashes, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

// Wine maps the Unix root to drive Z: in every prefix it creates.
std::wstring UnixPathOnDriveZ(const std::wstring& unixPath) {
  std::wstring path = L"Z:" + unixPath;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

}  // namespace

std::wstring RunnerPath() { return VELMORAN_WIDEN(VELMORAN_SOURCE_DIR) L"/scripts/run-apache.sh"; }

bool StartTiedRunner(SOCKET standardInputAndOutput) {
  const std::wstring runner = RunnerPath();
  const DWORD attributes = ::GetFileAttributesW(UnixPathOnDriveZ(runner).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  const std::wstring bash = L"/bin/bash";
  std::wstring commandLine = QuoteArgument(bash) + L" " + QuoteArgument(runner) + L" --until-stdin-closes";

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = reinterpret_cast<HANDLE>(standardInputAndOutput);
  startup.hStdOutput = reinterpret_cast<HANDLE>(standardInputAndOutput);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process{};
  // DETACHED_PROCESS: for a child of a program without a console, Wine would
  // otherwise prepare a console for it and give a Unix child /dev/null in
  // place of the standard handles asked for.
  if (::CreateProcessW(bash.c_str(), commandLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                       nullptr, &startup, &process) == FALSE) {
    return false;
  }
  if (process.hThread != nullptr) ::CloseHandle(process.hThread);
  if (process.hProcess != nullptr) ::CloseHandle(process.hProcess);
  return true;
}
