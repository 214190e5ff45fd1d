#include "webview/loader/RuntimeChecks.h"

#include <array>

#include "base/Text.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComResults.h"
#include "webview/loader/AvailableBrowserVersion.h"
#include "webview/loader/CurrentDirectoryScope.h"
#include "webview/loader/DiscoveryContext.h"
#include "webview/loader/ExceptionPolicy.h"
#include "webview/loader/LoaderPaths.h"
#include "webview/loader/RegistryKey.h"

namespace velmoran::webview {

namespace {

// An open file closed again whichever way the reading ends.
class OpenFile {
 public:
  OpenFile(platform::Files& files, std::u16string_view path)
      : files_(files),
        handle_(files.CreateFileW(path, platform::kGenericRead, platform::kFileShareRead,
                                  platform::kOpenExisting)) {}
  ~OpenFile() {
    if (IsOpen()) files_.CloseHandle(handle_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  bool IsOpen() const { return handle_ != platform::kInvalidHandle && handle_ != 0; }

  // Exactly `size` bytes from `offset`; a short file fails.
  bool ReadAt(std::int64_t offset, std::uint8_t* buffer, std::uint32_t size) {
    if (!files_.SetFilePointerEx(handle_, offset, platform::kFileBegin, nullptr)) return false;
    std::uint32_t total = 0;
    while (total < size) {
      std::uint32_t read = 0;
      if (!files_.ReadFile(handle_, buffer + total, size - total, read) || read == 0) return false;
      total += read;
    }
    return true;
  }

 private:
  platform::Files& files_;
  platform::Handle handle_;
};

std::uint16_t Read16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t Read32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

}  // namespace

RuntimeChecks::RuntimeChecks(platform::Platform& platform, const TWVLoaderSettings& settings,
                             LoaderErrorReporter& reporter)
    : platform_(platform), settings_(settings), reporter_(reporter) {}

bool RuntimeChecks::Fail(std::initializer_list<std::u16string_view> lines) {
  reporter_.SetErrorStatus();
  for (std::u16string_view line : lines) reporter_.AppendErrorLog(line);
  reporter_.ShowErrorDialog();
  return false;
}

bool RuntimeChecks::CheckInstalledRuntimeRegEntry(bool machineWide, std::u16string_view key,
                                                  std::u16string& version) {
  version.clear();
  return GuardStep(settings_.ReRaiseExceptions, false, [&] {
    RegistryKey registryKey(platform_.registry());
    if (!registryKey.OpenForReading(machineWide ? platform::kHkeyLocalMachine : platform::kHkeyCurrentUser,
                                    key)) {
      return false;
    }
    std::u16string text;
    if (!registryKey.ReadText(u"pv", text) || text.empty()) return false;
    version = std::move(text);
    return true;
  });
}

std::u16string RuntimeChecks::InstalledRuntimeVersion() {
  struct Place {
    bool machineWide;
    const char16_t* key;
  };
  const Place places[] = {{false, kRuntimeClientKey},
                          {false, kRuntimeClientKeyWow64},
                          {true, kRuntimeClientKey},
                          {true, kRuntimeClientKeyWow64}};
  std::u16string version;
  for (const Place& place : places) {
    if (CheckInstalledRuntimeRegEntry(place.machineWide, place.key, version)) return version;
  }
  return {};
}

bool RuntimeChecks::SearchInstalledProgram(std::u16string_view key, bool machineWide,
                                           std::u16string_view displayName, std::u16string_view publisher) {
  return GuardStep(settings_.ReRaiseExceptions, false, [&] {
    const platform::Handle root = machineWide ? platform::kHkeyLocalMachine : platform::kHkeyCurrentUser;
    std::vector<std::u16string> programs;
    {
      RegistryKey list(platform_.registry());
      if (!list.OpenForReading(root, key)) return false;
      programs = list.SubkeyNames();
    }
    const std::u16string wantedName = ToLowerAscii(displayName);
    const std::u16string wantedPublisher = ToLowerAscii(publisher);
    for (const std::u16string& program : programs) {
      RegistryKey entry(platform_.registry());
      if (!entry.OpenForReading(root, std::u16string(key) + u"\\" + program)) continue;
      std::u16string entryName;
      std::u16string entryPublisher;
      entry.ReadText(u"DisplayName", entryName);
      entry.ReadText(u"Publisher", entryPublisher);
      if (ToLowerAscii(entryName).find(wantedName) != std::u16string::npos &&
          ToLowerAscii(entryPublisher).find(wantedPublisher) != std::u16string::npos) {
        return true;
      }
    }
    return false;
  });
}

bool RuntimeChecks::SearchUninstallKeys(std::u16string_view displayName, std::u16string_view publisher) {
  return SearchInstalledProgram(kUninstallKey, true, displayName, publisher) ||
         SearchInstalledProgram(kUninstallKey, false, displayName, publisher) ||
         SearchInstalledProgram(kUninstallKeyWow64, true, displayName, publisher) ||
         SearchInstalledProgram(kUninstallKeyWow64, false, displayName, publisher);
}

bool RuntimeChecks::CheckRuntimeFiles() {
  std::u16string executable;
  const bool switchDirectory = settings_.SetCurrentDir && GetExecutablePath(platform_.process(), executable);
  CurrentDirectoryScope inExecutableFolder(platform_.files(), switchDirectory,
                                           IncludeTrailingPathDelimiter(ExtractFileDir(executable)));
  return CheckBrowserExecPath() && CheckLoaderLibrary();
}

bool RuntimeChecks::CheckBrowserExecPath() {
  if (!settings_.BrowserExecPath.empty()) {
    const std::u16string executable =
        IncludeTrailingPathDelimiter(settings_.BrowserExecPath) + kBrowserExecutable;
    const bool present = GuardStep(settings_.ReRaiseExceptions, false,
                                   [&] { return FileExists(platform_.files(), executable); });
    return present || Fail({u"The Browser Executable Folder doesn't exist."});
  }

  bool present = !InstalledRuntimeVersion().empty() ||
                 SearchUninstallKeys(u"WebView2 Runtime", u"Microsoft Corporation");
  if (!present) {
    const DiscoveryContext context{platform_, settings_.ReRaiseExceptions};
    CoTaskMemText version(platform_.com());
    present = SUCCEEDED(GetAvailableCoreWebView2BrowserVersionString(context, nullptr, version.Put())) &&
              !version.View().empty();
  }
  return present ||
         Fail({u"WebView2 Runtime is not installed correctly.",
               u"Download and run the Evergreen Standalone Installer from ", kRuntimeDownloadPage});
}

std::u16string RuntimeChecks::LoaderLibraryPath() {
  std::u16string name =
      settings_.LoaderDllPath.empty() ? std::u16string(kLoaderLibrary) : settings_.LoaderDllPath;
  std::u16string executable;
  // The library is looked for where the loader will load it from.
  if (settings_.SetCurrentDir && !IsAbsolutePath(name) &&
      GetExecutablePath(platform_.process(), executable)) {
    name = IncludeTrailingPathDelimiter(ExtractFileDir(executable)) + name;
  }
  return name;
}

bool RuntimeChecks::CheckLoaderLibrary() {
  const std::u16string library = LoaderLibraryPath();
  if (IsFileVersionAtLeast(library, static_cast<std::uint16_t>(kExpectedLoaderVersion.major),
                           static_cast<std::uint16_t>(kExpectedLoaderVersion.minor),
                           static_cast<std::uint16_t>(kExpectedLoaderVersion.build),
                           static_cast<std::uint16_t>(kExpectedLoaderVersion.revision))) {
    std::uint16_t machine = 0;
    // A header that cannot be read leaves the decision to the library load.
    if (!GetDLLHeaderMachine(library, machine)) return true;
    const bool is64Bit = platform_.process().IsProcess64Bit();
    switch (machine) {
      case kMachineI386:
        return !is64Bit || Fail({u"Wrong WebView2Loader.dll !",
                                 u"Use the 32 bit loader DLL with 32 bits applications only."});
      case kMachineAmd64:
        return is64Bit || Fail({u"Wrong WebView2Loader.dll !",
                                u"Use the 64 bit loader DLL with 64 bits applications only."});
      default:
        return Fail({u"Unknown WebView2Loader.dll !"});
    }
  }

  FourPartVersion found;
  if (GetFileVersion(library, found)) {
    const std::u16string expected = u"Expected WebView2Loader.dll version : " + ExpectedLoaderVersion();
    const std::u16string foundLine = u"Found WebView2Loader.dll version : " + VersionText(found);
    return Fail({u"Unsupported WebView2Loader.dll version !", expected, foundLine});
  }
  return Fail({u"WebView2Loader.dll file not found !"});
}

std::uint64_t RuntimeChecks::GetExtendedFileVersion(std::u16string_view file) {
  return GuardStep(settings_.ReRaiseExceptions, std::uint64_t{0}, [&]() -> std::uint64_t {
    if (!FileExists(platform_.files(), file)) return 0;
    std::uint32_t mostSignificant = 0;
    std::uint32_t leastSignificant = 0;
    if (!platform_.files().GetFileVersionFixed(file, mostSignificant, leastSignificant)) return 0;
    return (static_cast<std::uint64_t>(mostSignificant) << 32) | leastSignificant;
  });
}

bool RuntimeChecks::GetFileVersion(std::u16string_view file, FourPartVersion& version) {
  const std::uint64_t packed = GetExtendedFileVersion(file);
  if (packed == 0) return false;
  version = FourPartVersion{static_cast<std::uint32_t>((packed >> 48) & 0xFFFF),
                            static_cast<std::uint32_t>((packed >> 32) & 0xFFFF),
                            static_cast<std::uint32_t>((packed >> 16) & 0xFFFF),
                            static_cast<std::uint32_t>(packed & 0xFFFF)};
  return true;
}

bool RuntimeChecks::IsFileVersionAtLeast(std::u16string_view file, std::uint16_t major, std::uint16_t minor,
                                         std::uint16_t build, std::uint16_t revision) {
  FourPartVersion version;
  return GetFileVersion(file, version) &&
         IsVersionAtLeast(version, FourPartVersion{major, minor, build, revision});
}

bool RuntimeChecks::GetDLLHeaderMachine(std::u16string_view file, std::uint16_t& machine) {
  return GuardStep(settings_.ReRaiseExceptions, false, [&] {
    if (!FileExists(platform_.files(), file)) return false;
    OpenFile dll(platform_.files(), file);
    if (!dll.IsOpen()) return false;
    std::array<std::uint8_t, 64> dosHeader{};
    if (!dll.ReadAt(0, dosHeader.data(), static_cast<std::uint32_t>(dosHeader.size()))) return false;
    const std::uint32_t headerOffset = Read32(&dosHeader[60]);
    if (Read16(&dosHeader[0]) != 0x5A4D || headerOffset == 0) return false;
    std::array<std::uint8_t, 248> ntHeaders{};
    if (!dll.ReadAt(headerOffset, ntHeaders.data(), static_cast<std::uint32_t>(ntHeaders.size())))
      return false;
    if (Read32(&ntHeaders[0]) != 0x00004550) return false;
    machine = Read16(&ntHeaders[4]);
    return true;
  });
}

}  // namespace velmoran::webview
