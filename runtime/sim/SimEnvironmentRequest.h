#pragma once

// What the runtime was given with one environment request, read from the
// options object at the time of the call, so a test can check what the loader
// asked for.

#include <cstdint>
#include <string>
#include <vector>

namespace velmoran::runtime::sim {

struct SimEnvironmentRequest {
  std::u16string browserExecutableFolder;
  std::u16string userDataFolder;
  bool hasOptions = false;
  std::u16string additionalBrowserArguments;
  std::u16string language;
  std::u16string targetCompatibleBrowserVersion;
  bool allowSingleSignOnUsingOSPrimaryAccount = false;
  bool exclusiveUserDataFolderAccess = false;
  bool customCrashReportingEnabled = false;
  std::vector<std::u16string> customSchemeNames;
  bool enableTrackingPrevention = false;
  bool areBrowserExtensionsEnabled = false;
  std::int32_t channelSearchKind = 0;
  std::int32_t releaseChannels = 0;
  std::int32_t scrollBarStyle = 0;
};

}  // namespace velmoran::runtime::sim
