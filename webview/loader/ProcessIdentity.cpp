#include "webview/loader/ProcessIdentity.h"

#include "base/Text.h"
#include "webview/loader/LoaderPaths.h"

namespace velmoran::webview {

bool IsWindowsVersionAtLeast(platform::Process& process, std::uint32_t major, std::uint32_t minor) {
  const platform::WindowsVersion version = process.RtlGetVersion();
  return version.major > major || (version.major == major && version.minor >= minor);
}

std::u16string ApplicationUserModelId(platform::Process& process) {
  if (IsWindowsVersionAtLeast(process, 6, 2)) {
    // Asked first with no room, the system answers how much it needs.
    std::uint32_t length = 0;
    std::u16string id;
    if (process.GetCurrentApplicationUserModelId(length, id) == platform::kErrorInsufficientBuffer &&
        length > 0 && process.GetCurrentApplicationUserModelId(length, id) == platform::kErrorSuccess) {
      std::u16string trimmed(TrimSpacesAndControls(id));
      if (!trimmed.empty()) return trimmed;
    }
  }
  if (IsWindowsVersionAtLeast(process, 6, 1)) {
    std::u16string id;
    if (process.GetCurrentProcessExplicitAppUserModelID(id) >= 0) return id;
  }
  return {};
}

std::u16string ExecutableFileName(platform::Process& process) {
  std::u16string path;
  if (!GetExecutablePath(process, path)) return {};
  return std::u16string(ExtractFileName(path));
}

}  // namespace velmoran::webview
