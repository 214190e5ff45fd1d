#include "launcher/ApacheLauncher.h"

#include <algorithm>

#include "base/Text.h"

namespace velmoran::launcher {
namespace {

bool IsExistingFile(platform::Files& files, std::u16string_view path) {
  const std::uint32_t attributes = files.GetFileAttributesW(path);
  return attributes != platform::kInvalidFileAttributes && !(attributes & platform::kFileAttributeDirectory);
}

// The image name up to its terminator, without any folder or drive before it.
std::u16string_view ImageFileName(const platform::ProcessEntry32W& entry) {
  const auto end = std::find(entry.szExeFile.begin(), entry.szExeFile.end(), u'\0');
  const std::u16string_view name(entry.szExeFile.data(),
                                 static_cast<std::size_t>(end - entry.szExeFile.begin()));
  const std::size_t separator = name.find_last_of(u"\\:");
  return separator == std::u16string_view::npos ? name : name.substr(separator + 1);
}

}  // namespace

std::u16string_view TrimSystemMessage(std::u16string_view text) {
  while (!text.empty() && (text.back() <= u' ' || text.back() == u'.')) text.remove_suffix(1);
  return text;
}

bool IsApacheRunning(platform::Shell& shell) {
  const platform::Handle snapshot = shell.CreateToolhelp32Snapshot(platform::kTh32csSnapProcess, 0);
  if (snapshot == platform::kInvalidHandle) return false;
  platform::ProcessEntry32W entry;
  entry.dwSize = platform::kProcessEntry32WSize;
  bool running = false;
  for (bool more = shell.Process32FirstW(snapshot, entry); more && !running;
       more = shell.Process32NextW(snapshot, entry)) {
    running = EqualsIgnoringAsciiCase(ImageFileName(entry), kApacheImageName);
  }
  shell.CloseHandle(snapshot);
  return running;
}

void RunApacheDirect(platform::Platform& platform, LauncherHost& host) {
  if (!IsExistingFile(platform.files(), kApacheExecutable)) {
    platform.windows().MessageBoxW(0, kMissingExecutableText, host.ApplicationTitle(), platform::kMbOk);
    return;
  }
  if (IsApacheRunning(platform.shell())) {
    host.SetDefaultURL(std::u16string(kRunningServerURL));
    return;
  }

  const std::u16string verb(kLaunchVerb);
  const std::u16string file(kApacheExecutable);
  platform::ShellExecuteInfoW request;
  request.cbSize = platform::kShellExecuteInfoWSize;
  request.fMask = platform::kSeeMaskNoCloseProcess | platform::kSeeMaskFlagNoUi;
  request.lpVerb = verb.c_str();
  request.lpFile = file.c_str();
  request.nShow = platform::kSwHide;
  if (platform.shell().ShellExecuteExW(request)) {
    // The server is never watched, so the process handle the request asks for is let go at once.
    if (request.hProcess != 0) platform.shell().CloseHandle(request.hProcess);
  } else {
    const std::uint32_t error = platform.shell().GetLastError();
    const std::u16string reason = platform.locale().FormatMessageW(error);
    host.logw(std::u16string(kStartFailedPrefix) + std::u16string(TrimSystemMessage(reason)));
  }
  host.SleepWithPeekMessage(kStartWaitMilliseconds);
  host.SetDefaultURL(std::u16string(kStartedServerURL));
}

}  // namespace velmoran::launcher
