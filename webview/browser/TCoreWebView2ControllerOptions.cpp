#include "webview/browser/TCoreWebView2ControllerOptions.h"

#include "webview/browser/WrapperCalls.h"

namespace velmoran::webview {

TCoreWebView2ControllerOptions::TCoreWebView2ControllerOptions(ICoreWebView2ControllerOptions* aBaseIntf,
                                                               platform::Com& aCom)
    : FCom(aCom), FVersions(aBaseIntf) {}

std::u16string TCoreWebView2ControllerOptions::ProfileName() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2ControllerOptions>(),
                  &ICoreWebView2ControllerOptions::get_ProfileName);
}

bool TCoreWebView2ControllerOptions::SetProfileName(const std::u16string& aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2ControllerOptions>(),
                       &ICoreWebView2ControllerOptions::put_ProfileName, AsWideText(aValue));
}

bool TCoreWebView2ControllerOptions::IsInPrivateModeEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2ControllerOptions>(),
                  &ICoreWebView2ControllerOptions::get_IsInPrivateModeEnabled);
}

bool TCoreWebView2ControllerOptions::SetIsInPrivateModeEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2ControllerOptions>(),
                       &ICoreWebView2ControllerOptions::put_IsInPrivateModeEnabled, ToBOOL(aValue));
}

std::u16string TCoreWebView2ControllerOptions::ScriptLocale() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2ControllerOptions2>(),
                  &ICoreWebView2ControllerOptions2::get_ScriptLocale);
}

bool TCoreWebView2ControllerOptions::SetScriptLocale(const std::u16string& aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2ControllerOptions2>(),
                       &ICoreWebView2ControllerOptions2::put_ScriptLocale, AsWideText(aValue));
}

}  // namespace velmoran::webview
