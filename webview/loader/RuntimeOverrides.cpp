#include "webview/loader/RuntimeOverrides.h"

#include <array>

#include "platform/Registry.h"
#include "webview/loader/ExceptionPolicy.h"
#include "webview/loader/ProcessIdentity.h"
#include "webview/loader/RegistryKey.h"

namespace velmoran::webview {

bool DoesPolicyExistInRoot(const DiscoveryContext& context, platform::Handle root) {
  return GuardStep(context.reRaiseExceptions, false, [&] {
    RegistryKey key(context.platform.registry());
    return key.OpenForReading(root, kPolicyRoot);
  });
}

bool ReadOverrideFromRegistry(const DiscoveryContext& context, std::u16string_view keySuffix,
                              platform::Handle root, std::u16string_view valueName, bool policyLayout,
                              std::u16string& text) {
  text.clear();
  if (keySuffix.empty()) return false;
  return GuardStep(context.reRaiseExceptions, false, [&] {
    const std::u16string path =
        std::u16string(policyLayout ? kPolicyRoot : kOverrideRoot) + std::u16string(keySuffix);
    RegistryKey key(context.platform.registry());
    if (!key.OpenForReading(root, path)) return false;
    std::u16string value;
    if (!key.ReadText(valueName, value, /*plainTextOnly=*/true) || value.empty()) return false;
    text = std::move(value);
    return true;
  });
}

bool ReadOverride(const DiscoveryContext& context, std::u16string_view variable,
                  std::u16string_view policyValueName, std::u16string& text) {
  text.clear();
  std::u16string value;
  if (context.platform.environment().GetEnvironmentVariableW(variable, value) && !value.empty()) {
    text = std::move(value);
    return true;
  }

  const bool policiesPresent = DoesPolicyExistInRoot(context, platform::kHkeyCurrentUser) ||
                               DoesPolicyExistInRoot(context, platform::kHkeyLocalMachine);
  platform::Process& process = context.platform.process();
  const std::array<std::u16string, 3> identities{ApplicationUserModelId(process), ExecutableFileName(process),
                                                 u"*"};

  struct Place {
    platform::Handle root;
    bool policyLayout;
  };
  const Place places[] = {{platform::kHkeyLocalMachine, true},
                          {platform::kHkeyCurrentUser, true},
                          {platform::kHkeyLocalMachine, false},
                          {platform::kHkeyCurrentUser, false}};
  for (const Place& place : places) {
    for (const std::u16string& identity : identities) {
      // A process without a user model id must not read the value (or the
      // key) that belongs to no one.
      if (identity.empty()) continue;
      const bool byValueName = place.policyLayout && policiesPresent;
      const bool hit =
          byValueName ? ReadOverrideFromRegistry(context, policyValueName, place.root, identity, true, value)
                      : ReadOverrideFromRegistry(context, identity, place.root, policyValueName,
                                                 place.policyLayout, value);
      if (hit) {
        text = std::move(value);
        return true;
      }
    }
  }
  return false;
}

void ApplyOverrides(const DiscoveryContext& context, TWebView2EnvironmentParams& params) {
  std::u16string value;
  if (ReadOverride(context, u"WEBVIEW2_BROWSER_EXECUTABLE_FOLDER", u"browserExecutableFolder", value)) {
    params.embeddedEdgeSubFolder = value;
  }
  if (ReadOverride(context, u"WEBVIEW2_USER_DATA_FOLDER", u"userDataFolder", value))
    params.userDataDir = value;
  // The channel preference is looked up as the others are, but no text of it
  // is mapped onto a search order yet: the search stays as the caller chose.
  ReadOverride(context, u"WEBVIEW2_RELEASE_CHANNEL_PREFERENCE", u"releaseChannelPreference", value);
}

}  // namespace velmoran::webview
