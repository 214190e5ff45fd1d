#include "webview/loader/ClientDllSearch.h"

#include <vector>

#include "base/Text.h"
#include "platform/Registry.h"
#include "webview/abi/ComResults.h"
#include "webview/loader/ExceptionPolicy.h"
#include "webview/loader/LoaderPaths.h"
#include "webview/loader/ProcessIdentity.h"
#include "webview/loader/RegistryKey.h"

namespace velmoran::webview {

namespace {

// PACKAGE_INFORMATION_BASIC with the package graph's head only.
constexpr std::uint32_t kPackageInfoFlags = 1;

enum class PackageSearch { kNotFound, kFound, kNoPackageIdentity };

// The channel's package among the process's packages (Windows 8 and later).
PackageSearch FindInPackages(const DiscoveryContext& context, const ReleaseChannel& channel,
                             std::u16string& clientPath, std::u16string& versionText) {
  platform::Process& process = context.platform.process();
  if (!IsWindowsVersionAtLeast(process, 6, 2)) return PackageSearch::kNotFound;
  std::uint32_t size = 0;
  const std::uint32_t sizeAnswer = process.GetCurrentPackageInfo(kPackageInfoFlags, size, nullptr);
  if (sizeAnswer == platform::kErrorNoPackage) return PackageSearch::kNoPackageIdentity;
  if (sizeAnswer != platform::kErrorInsufficientBuffer || size == 0) return PackageSearch::kNotFound;
  std::vector<platform::PackageInfo> packages;
  if (process.GetCurrentPackageInfo(kPackageInfoFlags, size, &packages) != platform::kErrorSuccess) {
    return PackageSearch::kNotFound;
  }
  for (const platform::PackageInfo& package : packages) {
    if (!EqualsIgnoringAsciiCase(package.familyName, channel.packageFamilyName)) continue;
    const FourPartVersion version{package.versionMajor, package.versionMinor, package.versionBuild,
                                  package.versionRevision};
    const std::u16string path = IncludeTrailingPathDelimiter(package.installPath) +
                                ClientDllBelowRuntimeFolder(context.platform.process());
    if (IsVersionAtLeast(version, kMinimumClientVersion) && FileExists(context.platform.files(), path)) {
      clientPath = path;
      versionText = VersionText(version);
      return PackageSearch::kFound;
    }
    return PackageSearch::kNotFound;
  }
  return PackageSearch::kNotFound;
}

}  // namespace

bool FindInstalledClientDllForChannel(const DiscoveryContext& context, std::u16string_view key,
                                      bool machineWide, std::u16string& versionText,
                                      std::u16string& clientPath) {
  versionText.clear();
  clientPath.clear();
  return GuardStep(context.reRaiseExceptions, false, [&] {
    RegistryKey registryKey(context.platform.registry());
    if (!registryKey.OpenForReading(machineWide ? platform::kHkeyLocalMachine : platform::kHkeyCurrentUser,
                                    key)) {
      return false;
    }
    std::u16string folder;
    if (!registryKey.ReadText(u"EBWebView", folder) || folder.empty()) return false;
    registryKey.Close();

    // The runtime folder is named after its version: "...\Application\120.0.2210.91".
    const std::u16string_view runtimeFolder = ExcludeTrailingPathDelimiter(folder);
    const std::u16string version(ExtractFileName(runtimeFolder));
    FourPartVersion parsed;
    const std::u16string path =
        IncludeTrailingPathDelimiter(runtimeFolder) + ClientDllBelowRuntimeFolder(context.platform.process());
    if (!ParseFourPartVersion(version, parsed) || !IsVersionAtLeast(parsed, kMinimumClientVersion) ||
        !FileExists(context.platform.files(), path)) {
      return false;
    }
    versionText = version;
    clientPath = path;
    return true;
  });
}

HRESULT FindInstalledClientDll(const DiscoveryContext& context, TWebView2ReleaseChannelPreference order,
                               std::u16string& clientPath, std::u16string& versionText,
                               std::u16string& channelName) {
  clientPath.clear();
  versionText.clear();
  channelName.clear();
  for (std::size_t step = 0; step < kReleaseChannels.size(); ++step) {
    const ReleaseChannel& channel =
        kReleaseChannels[order == kCanary ? kReleaseChannels.size() - 1 - step : step];
    channelName = channel.name;
    for (std::u16string_view stateKey : {kClientStateKey, kClientStateKeyWow64}) {
      const std::u16string key = std::u16string(stateKey) + std::u16string(channel.id);
      for (bool machineWide : {false, true}) {
        if (FindInstalledClientDllForChannel(context, key, machineWide, versionText, clientPath)) return S_OK;
      }
    }
    const PackageSearch packages = GuardStep(context.reRaiseExceptions, PackageSearch::kNotFound, [&] {
      return FindInPackages(context, channel, clientPath, versionText);
    });
    if (packages == PackageSearch::kFound) return S_OK;
    // Without package identity no later channel can be found in a package
    // either; the search ends here.
    if (packages == PackageSearch::kNoPackageIdentity) return E_FAIL;
  }
  return S_OK;
}

HRESULT ResolveClientDllFromFolder(const DiscoveryContext& context, std::u16string_view folder,
                                   std::u16string& clientPath) {
  clientPath.clear();
  std::u16string resolved;
  if (IsAbsolutePath(folder)) {
    resolved = folder;
  } else {
    std::u16string executable;
    // The only way to fail learning it is a path longer than any buffer offered.
    if (!GetExecutablePath(context.platform.process(), executable)) {
      return HRESULT_FROM_WIN32(platform::kErrorInsufficientBuffer);
    }
    resolved = IncludeTrailingPathDelimiter(ExtractFileDir(executable)) + std::u16string(folder);
  }
  clientPath =
      IncludeTrailingPathDelimiter(resolved) + ClientDllBelowRuntimeFolder(context.platform.process());
  if (!GuardStep(context.reRaiseExceptions, false,
                 [&] { return FileExists(context.platform.files(), clientPath); })) {
    return HRESULT_FROM_WIN32(platform::kErrorFileNotFound);
  }
  return S_OK;
}

}  // namespace velmoran::webview
