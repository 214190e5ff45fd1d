#include "app/Startup.h"

#include "app/TApplication.h"
#include "app/TWebCamFrm.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::app {
namespace {

constexpr std::uint32_t kModulePathCapacity = 260;  // MAX_PATH, terminator included

void StartSharedWebViewLoader(platform::Platform& platform) {
  webview::TWVLoader& loader = webview::CreateSharedWebViewLoader(platform);
  loader.SetUserDataFolder(UserDataFolderFor(platform.process()));
  loader.SetRemoteDebuggingPort(kRemoteDebuggingPort);
  loader.SetRemoteAllowOrigins(std::u16string(kRemoteAllowOrigins));
  loader.SetAreBrowserExtensionsEnabled(true);
  // The outcome is read from the loader's state when the main window is shown.
  loader.StartWebView2();
}

}  // namespace

std::u16string ExecutableFolder(std::u16string_view executablePath) {
  const std::size_t last = executablePath.find_last_of(u"\\:");
  if (last == std::u16string_view::npos) return {};
  // The backslash stays when it is the first character or follows a drive's colon or another backslash.
  const bool keepBackslash = executablePath[last] != u'\\' || last == 0 || executablePath[last - 1] == u':' ||
                             executablePath[last - 1] == u'\\';
  return std::u16string(executablePath.substr(0, keepBackslash ? last + 1 : last));
}

std::u16string UserDataFolderFor(platform::Process& process) {
  std::u16string path;
  // A path cut short by the buffer would name some other folder.
  if (!process.GetModuleFileNameW(kModulePathCapacity, path) || path.empty()) return {};
  return ExecutableFolder(path) + std::u16string(kUserDataSubfolder);
}

std::int32_t RunVelmoran(platform::Platform& platform) {
  TApplication Application(platform);
  StartSharedWebViewLoader(platform);
  Application.Initialize();
  Application.SetTitle(std::u16string(kApplicationTitle));
  Application.CreateForm(WebCamFrm);
  const std::int32_t exitCode = Application.Run();
  Application.DestroyForms();
  webview::DestroySharedWebViewLoader();
  return exitCode;
}

}  // namespace velmoran::app
