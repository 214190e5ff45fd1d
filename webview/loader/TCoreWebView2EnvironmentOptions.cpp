#include "webview/loader/TCoreWebView2EnvironmentOptions.h"

#include <utility>

#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/WideText.h"
#include "webview/loader/TCoreWebView2CustomSchemeRegistration.h"

namespace velmoran::webview {

namespace {

HRESULT GetBool(bool value, BOOL* out) {
  if (out == nullptr) return E_POINTER;
  *out = value ? TRUE : FALSE;
  return S_OK;
}

}  // namespace

TCoreWebView2EnvironmentOptions::TCoreWebView2EnvironmentOptions(
    platform::Com& com, std::u16string additionalBrowserArguments, std::u16string language,
    std::u16string targetCompatibleBrowserVersion, bool allowSingleSignOnUsingOSPrimaryAccount,
    bool exclusiveUserDataFolderAccess, bool customCrashReportingEnabled, Registrations schemeRegistrations,
    bool enableTrackingPrevention, bool areBrowserExtensionsEnabled, std::uint32_t channelSearchKind,
    std::uint32_t releaseChannels, std::uint32_t scrollBarStyle)
    : FCom(com),
      FAdditionalBrowserArguments(std::move(additionalBrowserArguments)),
      FLanguage(std::move(language)),
      FTargetCompatibleBrowserVersion(std::move(targetCompatibleBrowserVersion)),
      FAllowSingleSignOnUsingOSPrimaryAccount(allowSingleSignOnUsingOSPrimaryAccount),
      FExclusiveUserDataFolderAccess(exclusiveUserDataFolderAccess),
      FCustomCrashReportingEnabled(customCrashReportingEnabled),
      FSchemeRegistrations(std::move(schemeRegistrations)),
      FEnableTrackingPrevention(enableTrackingPrevention),
      FAreBrowserExtensionsEnabled(areBrowserExtensionsEnabled),
      FChannelSearchKind(channelSearchKind),
      FReleaseChannels(releaseChannels),
      FScrollBarStyle(scrollBarStyle) {}

HRESULT TCoreWebView2EnvironmentOptions::GetText(const std::u16string& text, LPWSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  // The runtime reads "no text" for an option left empty.
  if (text.empty()) return S_OK;
  *value = CoTaskMemDup(FCom, text);
  return *value == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::get_AdditionalBrowserArguments(LPWSTR* value) {
  return GetText(FAdditionalBrowserArguments, value);
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::put_AdditionalBrowserArguments(LPCWSTR value) {
  FAdditionalBrowserArguments = FromWideText(value);
  return S_OK;
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::get_Language(LPWSTR* value) {
  return GetText(FLanguage, value);
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::put_Language(LPCWSTR value) {
  FLanguage = FromWideText(value);
  return S_OK;
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::get_TargetCompatibleBrowserVersion(LPWSTR* value) {
  return GetText(FTargetCompatibleBrowserVersion, value);
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::put_TargetCompatibleBrowserVersion(LPCWSTR value) {
  FTargetCompatibleBrowserVersion = FromWideText(value);
  return S_OK;
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::get_AllowSingleSignOnUsingOSPrimaryAccount(BOOL* allow) {
  return GetBool(FAllowSingleSignOnUsingOSPrimaryAccount, allow);
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::put_AllowSingleSignOnUsingOSPrimaryAccount(BOOL allow) {
  FAllowSingleSignOnUsingOSPrimaryAccount = allow != FALSE;
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::get_ExclusiveUserDataFolderAccess(BOOL* value) {
  return GetBool(FExclusiveUserDataFolderAccess, value);
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::put_ExclusiveUserDataFolderAccess(BOOL value) {
  FExclusiveUserDataFolderAccess = value != FALSE;
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::get_IsCustomCrashReportingEnabled(BOOL* value) {
  return GetBool(FCustomCrashReportingEnabled, value);
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::put_IsCustomCrashReportingEnabled(BOOL value) {
  FCustomCrashReportingEnabled = value != FALSE;
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::GetCustomSchemeRegistrations(
    UINT32* count, ICoreWebView2CustomSchemeRegistration*** schemeRegistrations) {
  if (count == nullptr || schemeRegistrations == nullptr) return E_POINTER;
  *count = 0;
  *schemeRegistrations = nullptr;
  if (FSchemeRegistrations.empty()) return S_OK;
  // An array of interface pointers, which the caller frees with CoTaskMemFree.
  auto* array = static_cast<ICoreWebView2CustomSchemeRegistration**>(
      // NOLINTNEXTLINE(bugprone-sizeof-expression): the elements are pointers
      FCom.CoTaskMemAlloc(FSchemeRegistrations.size() * sizeof(ICoreWebView2CustomSchemeRegistration*)));
  if (array == nullptr) return E_OUTOFMEMORY;
  for (std::size_t i = 0; i < FSchemeRegistrations.size(); ++i) {
    ComPtr<ICoreWebView2CustomSchemeRegistration> copy = FSchemeRegistrations[i];
    array[i] = copy.Detach();
  }
  *count = static_cast<UINT32>(FSchemeRegistrations.size());
  *schemeRegistrations = array;
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::SetCustomSchemeRegistrations(
    UINT32 count, ICoreWebView2CustomSchemeRegistration** schemeRegistrations) {
  if (schemeRegistrations == nullptr && count > 0) return E_INVALIDARG;
  Registrations replacement;
  replacement.reserve(count);
  for (UINT32 i = 0; i < count; ++i) {
    // A null entry holds no registration; keeping it would hand the runtime a null reference later.
    if (schemeRegistrations[i] != nullptr) replacement.emplace_back(schemeRegistrations[i]);
  }
  FSchemeRegistrations = std::move(replacement);
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::get_EnableTrackingPrevention(BOOL* value) {
  return GetBool(FEnableTrackingPrevention, value);
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::put_EnableTrackingPrevention(BOOL value) {
  FEnableTrackingPrevention = value != FALSE;
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::get_AreBrowserExtensionsEnabled(BOOL* value) {
  return GetBool(FAreBrowserExtensionsEnabled, value);
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::put_AreBrowserExtensionsEnabled(BOOL value) {
  FAreBrowserExtensionsEnabled = value != FALSE;
  return S_OK;
}

HRESULT WV2_STDCALL
TCoreWebView2EnvironmentOptions::get_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND* value) {
  if (value == nullptr) return E_POINTER;
  *value = static_cast<COREWEBVIEW2_CHANNEL_SEARCH_KIND>(FChannelSearchKind);
  return S_OK;
}
HRESULT WV2_STDCALL
TCoreWebView2EnvironmentOptions::put_ChannelSearchKind(COREWEBVIEW2_CHANNEL_SEARCH_KIND value) {
  FChannelSearchKind = static_cast<std::uint32_t>(value);
  return S_OK;
}
HRESULT WV2_STDCALL
TCoreWebView2EnvironmentOptions::get_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS* value) {
  if (value == nullptr) return E_POINTER;
  *value = static_cast<COREWEBVIEW2_RELEASE_CHANNELS>(FReleaseChannels);
  return S_OK;
}
HRESULT WV2_STDCALL
TCoreWebView2EnvironmentOptions::put_ReleaseChannels(COREWEBVIEW2_RELEASE_CHANNELS value) {
  FReleaseChannels = static_cast<std::uint32_t>(value);
  return S_OK;
}

HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::get_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE* value) {
  if (value == nullptr) return E_POINTER;
  *value = static_cast<COREWEBVIEW2_SCROLLBAR_STYLE>(FScrollBarStyle);
  return S_OK;
}
HRESULT WV2_STDCALL TCoreWebView2EnvironmentOptions::put_ScrollBarStyle(COREWEBVIEW2_SCROLLBAR_STYLE value) {
  FScrollBarStyle = static_cast<std::uint32_t>(value);
  return S_OK;
}

ComPtr<TCoreWebView2EnvironmentOptions> MakeEnvironmentOptions(
    platform::Com& com, const TWVLoaderSettings& settings, std::u16string switches,
    const std::vector<TWVCustomSchemeInfo>& schemes) {
  TCoreWebView2EnvironmentOptions::Registrations registrations;
  registrations.reserve(schemes.size());
  for (const TWVCustomSchemeInfo& scheme : schemes) {
    registrations.emplace_back(MakeComObject<TCoreWebView2CustomSchemeRegistration>(com, scheme));
  }
  return MakeComObject<TCoreWebView2EnvironmentOptions>(
      com, std::move(switches), settings.Language, settings.TargetCompatibleBrowserVersion,
      settings.AllowSingleSignOnUsingOSPrimaryAccount, settings.ExclusiveUserDataFolderAccess,
      settings.CustomCrashReportingEnabled, std::move(registrations), settings.EnableTrackingPrevention,
      settings.AreBrowserExtensionsEnabled, settings.ChannelSearchKind, settings.ReleaseChannels,
      settings.ScrollBarStyle);
}

}  // namespace velmoran::webview
