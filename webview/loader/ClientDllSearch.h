#pragma once

// Finding the runtime's client library: below a given browser folder, or in
// the installed release channels (their update client's registry entries and
// their packages).

#include <array>
#include <string>
#include <string_view>

#include "platform/Process.h"
#include "webview/abi/ComTypes.h"
#include "webview/loader/DiscoveryContext.h"
#include "webview/loader/FourPartVersion.h"
#include "webview/loader/TWebView2EnvironmentParams.h"

namespace velmoran::webview {

struct ReleaseChannel {
  std::u16string_view name;  // "" for stable
  std::u16string_view id;
  std::u16string_view packageFamilyName;
};

// In stable-first order.
inline constexpr std::array<ReleaseChannel, 5> kReleaseChannels{{
    {u"", u"{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}", u"Microsoft.WebView2Runtime.Stable_8wekyb3d8bbwe"},
    {u"beta", u"{2CD8A007-E189-409D-A2C8-9AF4EF3C72AA}", u"Microsoft.WebView2Runtime.Beta_8wekyb3d8bbwe"},
    {u"dev", u"{0D50BFEC-CD6A-4F9A-964C-C7416E3ACB10}", u"Microsoft.WebView2Runtime.Dev_8wekyb3d8bbwe"},
    {u"canary", u"{65C35B14-6C1D-4122-AC46-7148CC9D6497}", u"Microsoft.WebView2Runtime.Canary_8wekyb3d8bbwe"},
    {u"internal", u"{BE59E8FD-089A-411B-A3B0-051D9E417818}",
     u"Microsoft.WebView2Runtime.Internal_8wekyb3d8bbwe"},
}};

inline constexpr std::u16string_view kClientStateKey = u"Software\\Microsoft\\EdgeUpdate\\ClientState\\";
inline constexpr std::u16string_view kClientStateKeyWow64 =
    u"Software\\WOW6432Node\\Microsoft\\EdgeUpdate\\ClientState\\";
// The client library below a runtime folder: a runtime holds one for each
// architecture, and a process loads the one of its own bitness.
inline constexpr std::u16string_view kClientDllBelowRuntimeFolderX86 =
    u"EBWebView\\x86\\EmbeddedBrowserWebView.dll";
inline constexpr std::u16string_view kClientDllBelowRuntimeFolderX64 =
    u"EBWebView\\x64\\EmbeddedBrowserWebView.dll";
inline std::u16string ClientDllBelowRuntimeFolder(platform::Process& process) {
  return std::u16string(process.IsProcess64Bit() ? kClientDllBelowRuntimeFolderX64
                                                 : kClientDllBelowRuntimeFolderX86);
}
inline constexpr FourPartVersion kMinimumClientVersion{86, 0, 616, 0};

// Searches the five channels in `order`. S_OK with the client library's path,
// its version text and the channel's name when one was found; S_OK with an
// empty version text when none was. E_FAIL at once when the process has no
// package identity on a system that has packages.
HRESULT FindInstalledClientDll(const DiscoveryContext& context, TWebView2ReleaseChannelPreference order,
                               std::u16string& clientPath, std::u16string& versionText,
                               std::u16string& channelName);

// One client state entry: the key's "EBWebView" folder, named after its
// version, holding a client library of at least the minimum version.
bool FindInstalledClientDllForChannel(const DiscoveryContext& context, std::u16string_view key,
                                      bool machineWide, std::u16string& versionText,
                                      std::u16string& clientPath);

// The client library below a browser folder: an absolute folder ("C:\rt"), a
// network folder ("\\server\rt") or one relative to the executable's folder.
// `clientPath` is where the library must be; the answer is
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) when it is not there.
HRESULT ResolveClientDllFromFolder(const DiscoveryContext& context, std::u16string_view folder,
                                   std::u16string& clientPath);

}  // namespace velmoran::webview
