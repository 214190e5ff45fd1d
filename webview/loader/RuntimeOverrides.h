#pragma once

// Where the runtime search may be redirected: environment variables first,
// then group policies, then the loader override keys, each in the registry of
// the machine and of the user.

#include <string>
#include <string_view>

#include "platform/Types.h"
#include "webview/loader/DiscoveryContext.h"
#include "webview/loader/TWebView2EnvironmentParams.h"

namespace velmoran::webview {

inline constexpr std::u16string_view kPolicyRoot = u"Software\\Policies\\Microsoft\\Edge\\WebView2\\";
inline constexpr std::u16string_view kOverrideRoot =
    u"Software\\Policies\\Microsoft\\EmbeddedBrowserWebView\\LoaderOverride\\";

// Replaces the browser folder and the user data folder of `params` with their
// overrides, where one is found.
void ApplyOverrides(const DiscoveryContext& context, TWebView2EnvironmentParams& params);

// The override for one setting: the environment variable when it holds a
// non-empty text; otherwise the first registry hit, trying the machine's
// policies, the user's policies, the machine's overrides and the user's
// overrides, each for the process's user model id, then its executable's
// name, then "*".
bool ReadOverride(const DiscoveryContext& context, std::u16string_view variable,
                  std::u16string_view policyValueName, std::u16string& text);

// True when the policy root key exists under `root` and opens for reading.
bool DoesPolicyExistInRoot(const DiscoveryContext& context, platform::Handle root);

// One registry place: the key (policy or override root + `keySuffix`) under
// `root`, its plain text value `valueName`. A hit is a non-empty text; an
// empty suffix never hits.
bool ReadOverrideFromRegistry(const DiscoveryContext& context, std::u16string_view keySuffix,
                              platform::Handle root, std::u16string_view valueName, bool policyLayout,
                              std::u16string& text);

}  // namespace velmoran::webview
