#pragma once

#include <string>
#include <vector>

#include "platform/Com.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/ComPtr.h"
#include "webview/abi/WebView2Interfaces.h"
#include "webview/loader/TWVCustomSchemeInfo.h"
#include "webview/loader/TWVLoaderSettings.h"

namespace velmoran::webview {

// The options object the environment is requested with. The runtime reads it
// through the options interface and its seven later versions; these do not
// derive from one another, so each is answered by its own id.
class TCoreWebView2EnvironmentOptions final
    : public ComObject<ICoreWebView2EnvironmentOptions, ICoreWebView2EnvironmentOptions2,
                       ICoreWebView2EnvironmentOptions3, ICoreWebView2EnvironmentOptions4,
                       ICoreWebView2EnvironmentOptions5, ICoreWebView2EnvironmentOptions6,
                       ICoreWebView2EnvironmentOptions7, ICoreWebView2EnvironmentOptions8> {
 public:
  using Registrations = std::vector<ComPtr<ICoreWebView2CustomSchemeRegistration>>;

  TCoreWebView2EnvironmentOptions(platform::Com& com, std::u16string additionalBrowserArguments,
                                  std::u16string language, std::u16string targetCompatibleBrowserVersion,
                                  bool allowSingleSignOnUsingOSPrimaryAccount,
                                  bool exclusiveUserDataFolderAccess, bool customCrashReportingEnabled,
                                  Registrations schemeRegistrations, bool enableTrackingPrevention,
                                  bool areBrowserExtensionsEnabled, std::uint32_t channelSearchKind,
                                  std::uint32_t releaseChannels, std::uint32_t scrollBarStyle);

  // ICoreWebView2EnvironmentOptions
  HRESULT WV2_STDCALL get_AdditionalBrowserArguments(LPWSTR* value) override;
  HRESULT WV2_STDCALL put_AdditionalBrowserArguments(LPCWSTR value) override;
  HRESULT WV2_STDCALL get_Language(LPWSTR* value) override;
  HRESULT WV2_STDCALL put_Language(LPCWSTR value) override;
  HRESULT WV2_STDCALL get_TargetCompatibleBrowserVersion(LPWSTR* value) override;
  HRESULT WV2_STDCALL put_TargetCompatibleBrowserVersion(LPCWSTR value) override;
  HRESULT WV2_STDCALL get_AllowSingleSignOnUsingOSPrimaryAccount(BOOL* allow) override;
  HRESULT WV2_STDCALL put_AllowSingleSignOnUsingOSPrimaryAccount(BOOL allow) override;
  // ICoreWebView2EnvironmentOptions2
  HRESULT WV2_STDCALL get_ExclusiveUserDataFolderAccess(BOOL* value) override;
  HRESULT WV2_STDCALL put_ExclusiveUserDataFolderAccess(BOOL value) override;
  // ICoreWebView2EnvironmentOptions3
  HRESULT WV2_STDCALL get_IsCustomCrashReportingEnabled(BOOL* value) override;
  HRESULT WV2_STDCALL put_IsCustomCrashReportingEnabled(BOOL value) override;
  // ICoreWebView2EnvironmentOptions4: the array handed out is the caller's,
  // each reference in it counted for the caller.
  HRESULT WV2_STDCALL GetCustomSchemeRegistrations(
      UINT32* count, ICoreWebView2CustomSchemeRegistration*** schemeRegistrations) override;
  HRESULT WV2_STDCALL SetCustomSchemeRegistrations(
      UINT32 count, ICoreWebView2CustomSchemeRegistration** schemeRegistrations) override;
  // ICoreWebView2EnvironmentOptions5
  HRESULT WV2_STDCALL get_EnableTrackingPrevention(BOOL* value) override;
  HRESULT WV2_STDCALL put_EnableTrackingPrevention(BOOL value) override;
  // ICoreWebView2EnvironmentOptions6
  HRESULT WV2_STDCALL get_AreBrowserExtensionsEnabled(BOOL* value) override;
  HRESULT WV2_STDCALL put_AreBrowserExtensionsEnabled(BOOL value) override;
  // ICoreWebView2EnvironmentOptions7
  HRESULT WV2_STDCALL get_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND* value) override;
  HRESULT WV2_STDCALL put_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND value) override;
  HRESULT WV2_STDCALL get_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS* value) override;
  HRESULT WV2_STDCALL put_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS value) override;
  // ICoreWebView2EnvironmentOptions8
  HRESULT WV2_STDCALL get_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE* value) override;
  HRESULT WV2_STDCALL put_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE value) override;

 private:
  HRESULT GetText(const std::u16string& text, LPWSTR* value);

  platform::Com& FCom;
  std::u16string FAdditionalBrowserArguments;
  std::u16string FLanguage;
  std::u16string FTargetCompatibleBrowserVersion;
  bool FAllowSingleSignOnUsingOSPrimaryAccount;
  bool FExclusiveUserDataFolderAccess;
  bool FCustomCrashReportingEnabled;
  Registrations FSchemeRegistrations;
  bool FEnableTrackingPrevention;
  bool FAreBrowserExtensionsEnabled;
  std::uint32_t FChannelSearchKind;
  std::uint32_t FReleaseChannels;
  std::uint32_t FScrollBarStyle;
};

// The options object the loader requests the environment with: `switches` as
// the additional browser arguments, the option settings of `settings`, and one
// registration per scheme, in order.
ComPtr<TCoreWebView2EnvironmentOptions> MakeEnvironmentOptions(
    platform::Com& com, const TWVLoaderSettings& settings, std::u16string switches,
    const std::vector<TWVCustomSchemeInfo>& schemes);

}  // namespace velmoran::webview
