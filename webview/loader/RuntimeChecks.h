#pragma once

// The loader's checks before it loads anything: is a browser runtime there,
// and does the runtime's loader library fit this process. The loader
// delegates to one of these; failures are told through the loader's status,
// error log and error dialog.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "webview/loader/FourPartVersion.h"
#include "webview/loader/LoaderErrorReporter.h"
#include "webview/loader/TWVLoaderSettings.h"

namespace velmoran::webview {

inline constexpr char16_t kRuntimeClientKey[] =
    u"SOFTWARE\\Microsoft\\EdgeUpdate\\Clients\\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}";
inline constexpr char16_t kRuntimeClientKeyWow64[] =
    u"SOFTWARE\\WOW6432Node\\Microsoft\\EdgeUpdate\\Clients\\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}";
inline constexpr char16_t kUninstallKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UnInstall";
inline constexpr char16_t kUninstallKeyWow64[] =
    u"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char16_t kBrowserExecutable[] = u"msedgewebview2.exe";
inline constexpr char16_t kLoaderLibrary[] = u"WebView2Loader.dll";
inline constexpr char16_t kRuntimeDownloadPage[] =
    u"https://developer.microsoft.com/microsoft-edge/webview2/";

// PE machine types.
inline constexpr std::uint16_t kMachineI386 = 0x014C;
inline constexpr std::uint16_t kMachineAmd64 = 0x8664;

class RuntimeChecks {
 public:
  // Reads SetCurrentDir, BrowserExecPath, LoaderDllPath and ReRaiseExceptions
  // from `settings` at each call, so it sees the loader's current settings.
  RuntimeChecks(platform::Platform& platform, const TWVLoaderSettings& settings,
                LoaderErrorReporter& reporter);

  // The installed runtime's version text from the registry, or empty.
  std::u16string InstalledRuntimeVersion();

  // The browser folder check, then the loader library check, run from the
  // executable's folder when SetCurrentDir is set.
  bool CheckRuntimeFiles();
  bool CheckBrowserExecPath();
  bool CheckLoaderLibrary();

  // One "pv" entry of the installed runtime: a hit is a non-empty text.
  bool CheckInstalledRuntimeRegEntry(bool machineWide, std::u16string_view key, std::u16string& version);
  // The installed-programs lists of machine and user.
  bool SearchUninstallKeys(std::u16string_view displayName, std::u16string_view publisher);
  bool SearchInstalledProgram(std::u16string_view key, bool machineWide, std::u16string_view displayName,
                              std::u16string_view publisher);

  // The four 16-bit numbers of a file's version resource.
  bool GetFileVersion(std::u16string_view file, FourPartVersion& version);
  // Most significant 32 bits, then least significant; 0 when unknown.
  std::uint64_t GetExtendedFileVersion(std::u16string_view file);
  bool IsFileVersionAtLeast(std::u16string_view file, std::uint16_t major, std::uint16_t minor,
                            std::uint16_t build, std::uint16_t revision);
  // The machine type of a PE file's header.
  bool GetDLLHeaderMachine(std::u16string_view file, std::uint16_t& machine);

 private:
  // Fails the check: status, the lines, the dialog.
  bool Fail(std::initializer_list<std::u16string_view> lines);
  std::u16string LoaderLibraryPath();

  platform::Platform& platform_;
  const TWVLoaderSettings& settings_;
  LoaderErrorReporter& reporter_;
};

}  // namespace velmoran::webview
