#include "runtime/sim/SimLoaderExports.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>

#include "runtime/common/BrowserVersionOrder.h"
#include "runtime/sim/SimCoreWebView2Environment.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/WebView2Exports.h"
#include "webview/abi/WebView2Ids.h"
#include "webview/abi/WideText.h"

namespace velmoran::runtime::sim {

using webview::ComPtr;
using webview::CoTaskMemText;
using webview::FromWideText;

namespace {

std::u16string ReadText(platform::Com& com,
                        HRESULT (WV2_STDCALL ICoreWebView2EnvironmentOptions::*getter)(LPWSTR*),
                        ICoreWebView2EnvironmentOptions& options) {
  CoTaskMemText text(com);
  if (FAILED((options.*getter)(text.Put()))) return {};
  return text.ToU16String();
}

// Calls a Boolean getter; false when it fails.
template <typename Getter>
bool ReadBool(Getter&& getter) {
  BOOL value = FALSE;
  return SUCCEEDED(getter(&value)) && value != FALSE;
}

// Reads the options object as the runtime does, through each of its interfaces
// the object offers; whatever it does not offer keeps its default.
SimEnvironmentRequest ReadRequest(platform::Com& com, PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
                                  ICoreWebView2EnvironmentOptions* environmentOptions) {
  SimEnvironmentRequest request;
  request.browserExecutableFolder = std::u16string(FromWideText(browserExecutableFolder));
  request.userDataFolder = std::u16string(FromWideText(userDataFolder));
  if (environmentOptions == nullptr) return request;
  request.hasOptions = true;
  ICoreWebView2EnvironmentOptions& options = *environmentOptions;
  request.additionalBrowserArguments =
      ReadText(com, &ICoreWebView2EnvironmentOptions::get_AdditionalBrowserArguments, options);
  request.language = ReadText(com, &ICoreWebView2EnvironmentOptions::get_Language, options);
  request.targetCompatibleBrowserVersion =
      ReadText(com, &ICoreWebView2EnvironmentOptions::get_TargetCompatibleBrowserVersion, options);
  request.allowSingleSignOnUsingOSPrimaryAccount =
      ReadBool([&](BOOL* value) { return options.get_AllowSingleSignOnUsingOSPrimaryAccount(value); });

  ComPtr<ICoreWebView2EnvironmentOptions> held(environmentOptions);
  if (ComPtr<ICoreWebView2EnvironmentOptions2> options2; SUCCEEDED(held.As(options2))) {
    request.exclusiveUserDataFolderAccess =
        ReadBool([&](BOOL* value) { return options2->get_ExclusiveUserDataFolderAccess(value); });
  }
  if (ComPtr<ICoreWebView2EnvironmentOptions3> options3; SUCCEEDED(held.As(options3))) {
    request.customCrashReportingEnabled =
        ReadBool([&](BOOL* value) { return options3->get_IsCustomCrashReportingEnabled(value); });
  }
  if (ComPtr<ICoreWebView2EnvironmentOptions4> options4; SUCCEEDED(held.As(options4))) {
    UINT32 count = 0;
    ICoreWebView2CustomSchemeRegistration** registrations = nullptr;
    if (SUCCEEDED(options4->GetCustomSchemeRegistrations(&count, &registrations)) &&
        registrations != nullptr) {
      for (UINT32 i = 0; i < count; ++i) {
        ComPtr<ICoreWebView2CustomSchemeRegistration> registration;
        registration.Attach(registrations[i]);  // each entry arrives with its own reference
        if (!registration) continue;
        CoTaskMemText name(com);
        if (SUCCEEDED(registration->get_SchemeName(name.Put())))
          request.customSchemeNames.push_back(name.ToU16String());
      }
      com.CoTaskMemFree(registrations);
    }
  }
  if (ComPtr<ICoreWebView2EnvironmentOptions5> options5; SUCCEEDED(held.As(options5))) {
    request.enableTrackingPrevention =
        ReadBool([&](BOOL* value) { return options5->get_EnableTrackingPrevention(value); });
  }
  if (ComPtr<ICoreWebView2EnvironmentOptions6> options6; SUCCEEDED(held.As(options6))) {
    request.areBrowserExtensionsEnabled =
        ReadBool([&](BOOL* value) { return options6->get_AreBrowserExtensionsEnabled(value); });
  }
  if (ComPtr<ICoreWebView2EnvironmentOptions7> options7; SUCCEEDED(held.As(options7))) {
    COREWEBVIEW2_CHANNEL_SEARCH_KIND kind{};
    if (SUCCEEDED(options7->get_ChannelSearchKind(&kind)))
      request.channelSearchKind = static_cast<std::int32_t>(kind);
    COREWEBVIEW2_RELEASE_CHANNELS channels{};
    if (SUCCEEDED(options7->get_ReleaseChannels(&channels))) {
      request.releaseChannels = static_cast<std::int32_t>(channels);
    }
  }
  if (ComPtr<ICoreWebView2EnvironmentOptions8> options8; SUCCEEDED(held.As(options8))) {
    COREWEBVIEW2_SCROLLBAR_STYLE style{};
    if (SUCCEEDED(options8->get_ScrollBarStyle(&style)))
      request.scrollBarStyle = static_cast<std::int32_t>(style);
  }
  return request;
}

HRESULT RequestEnvironment(const char* exportName, PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
                           ICoreWebView2EnvironmentOptions* environmentOptions,
                           ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler) {
  std::shared_ptr<SimRuntimeContext> context = ActiveSimRuntime();
  if (!context) return E_UNEXPECTED;
  if (handler == nullptr) return E_POINTER;
  const SimCallOutcome outcome = context->Config().createEnvironment;
  HRESULT refused = context->CallResult(exportName);
  if (SUCCEEDED(refused)) refused = outcome.immediate;
  if (FAILED(refused)) {
    context->Observer().EnvironmentFailed(refused);
    return refused;
  }
  SimEnvironmentRequest request =
      ReadRequest(context->Com(), browserExecutableFolder, userDataFolder, environmentOptions);
  context->EnvironmentRequests().push_back(request);
  // The handler is held until its one call; the options were read above and are not kept.
  std::function<void()> answer =
      [context, handler = ComPtr<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler>(handler),
       request = std::move(request), outcome]() mutable {
        ComPtr<SimCoreWebView2Environment> environment;
        if (SUCCEEDED(outcome.completion) && !outcome.withoutObject) {
          context->Observer().EnvironmentCreated(request);
          environment = webview::MakeComObject<SimCoreWebView2Environment>(context, std::move(request));
        } else {
          context->Observer().EnvironmentFailed(outcome.completion);
        }
        handler->Invoke(outcome.completion, environment.Get());
      };
  if (context->Config().holdEnvironmentCompletions) {
    context->Hold(std::move(answer));
  } else {
    context->Post(std::move(answer));
  }
  return S_OK;
}

HRESULT AnswerAvailableVersion(const char* method, LPWSTR* versionInfo) {
  if (versionInfo == nullptr) return E_POINTER;
  *versionInfo = nullptr;
  std::shared_ptr<SimRuntimeContext> context = ActiveSimRuntime();
  if (!context) return E_UNEXPECTED;
  if (const HRESULT scripted = context->CallResult(method); FAILED(scripted)) return scripted;
  *versionInfo = webview::CoTaskMemDup(context->Com(), context->Config().browserVersion);
  return *versionInfo == nullptr ? E_OUTOFMEMORY : S_OK;
}

}  // namespace

HRESULT WV2_STDCALL CreateCoreWebView2EnvironmentWithOptions(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder,
    ICoreWebView2EnvironmentOptions* environmentOptions,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) {
  return RequestEnvironment(webview::kCreateCoreWebView2EnvironmentWithOptionsExport, browserExecutableFolder,
                            userDataFolder, environmentOptions, environmentCreatedHandler);
}

HRESULT WV2_STDCALL CreateCoreWebView2Environment(
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* environmentCreatedHandler) {
  return RequestEnvironment(webview::kCreateCoreWebView2EnvironmentExport, nullptr, nullptr, nullptr,
                            environmentCreatedHandler);
}

HRESULT WV2_STDCALL GetAvailableCoreWebView2BrowserVersionString(PCWSTR /*browserExecutableFolder*/,
                                                                 LPWSTR* versionInfo) {
  return AnswerAvailableVersion(webview::kGetAvailableCoreWebView2BrowserVersionStringExport, versionInfo);
}

HRESULT WV2_STDCALL GetAvailableCoreWebView2BrowserVersionStringWithOptions(
    PCWSTR /*browserExecutableFolder*/, ICoreWebView2EnvironmentOptions* /*environmentOptions*/,
    LPWSTR* versionInfo) {
  return AnswerAvailableVersion(webview::kGetAvailableCoreWebView2BrowserVersionStringWithOptionsExport,
                                versionInfo);
}

HRESULT WV2_STDCALL CompareBrowserVersions(PCWSTR version1, PCWSTR version2, int* result) {
  if (result == nullptr) return E_POINTER;
  *result = 0;
  std::shared_ptr<SimRuntimeContext> context = ActiveSimRuntime();
  if (!context) return E_UNEXPECTED;
  if (const HRESULT scripted = context->CallResult(webview::kCompareBrowserVersionsExport); FAILED(scripted))
    return scripted;
  const std::optional<int> order = CompareBrowserVersionTexts(FromWideText(version1), FromWideText(version2));
  if (!order) return E_INVALIDARG;
  *result = *order;
  return S_OK;
}

namespace {

// The signatures must be exactly those the loader casts the addresses to.
static_assert(std::is_same_v<decltype(&CreateCoreWebView2EnvironmentWithOptions),
                             CreateCoreWebView2EnvironmentWithOptionsFunc>);
static_assert(std::is_same_v<decltype(&CreateCoreWebView2Environment), CreateCoreWebView2EnvironmentFunc>);
static_assert(std::is_same_v<decltype(&GetAvailableCoreWebView2BrowserVersionString),
                             GetAvailableCoreWebView2BrowserVersionStringFunc>);
static_assert(std::is_same_v<decltype(&GetAvailableCoreWebView2BrowserVersionStringWithOptions),
                             GetAvailableCoreWebView2BrowserVersionStringWithOptionsFunc>);
static_assert(std::is_same_v<decltype(&CompareBrowserVersions), CompareBrowserVersionsFunc>);

template <typename Function>
platform::ProcAddress Address(Function function) {
  return reinterpret_cast<platform::ProcAddress>(function);
}

}  // namespace

std::map<std::string, platform::ProcAddress> SimLoaderExports() {
  return {
      {webview::kCreateCoreWebView2EnvironmentWithOptionsExport,
       Address(&CreateCoreWebView2EnvironmentWithOptions)},
      {webview::kCreateCoreWebView2EnvironmentExport, Address(&CreateCoreWebView2Environment)},
      {webview::kGetAvailableCoreWebView2BrowserVersionStringExport,
       Address(&GetAvailableCoreWebView2BrowserVersionString)},
      {webview::kGetAvailableCoreWebView2BrowserVersionStringWithOptionsExport,
       Address(&GetAvailableCoreWebView2BrowserVersionStringWithOptions)},
      {webview::kCompareBrowserVersionsExport, Address(&CompareBrowserVersions)},
  };
}

}  // namespace velmoran::runtime::sim
