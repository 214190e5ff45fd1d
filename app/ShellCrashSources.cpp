#include "app/ShellCrashSources.h"

#include <algorithm>
#include <cstddef>

#include "app/TWebCamFrm.h"
#include "crash/CrashReportText.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::app {

crash::CrashSources ShellCrashSources() {
  crash::CrashSources sources;
  // Only the lines the report keeps are copied: the view may hold 13001.
  sources.logLines = [] {
    if (WebCamFrm == nullptr) return std::vector<std::u16string>();
    const std::vector<std::u16string>& lines = WebCamFrm->Memo1.Lines();
    const std::size_t kept = std::min(lines.size(), crash::kReportLogLines);
    return std::vector<std::u16string>(lines.end() - static_cast<std::ptrdiff_t>(kept), lines.end());
  };
  sources.runtimeVersion = [] {
    webview::TWVLoader* loader = webview::SharedWebViewLoader();
    return loader == nullptr ? std::u16string() : loader->InstalledRuntimeVersion();
  };
  sources.mainWindow = [] {
    return WebCamFrm == nullptr ? std::uintptr_t{0} : static_cast<std::uintptr_t>(WebCamFrm->Handle());
  };
  return sources;
}

}  // namespace velmoran::app
