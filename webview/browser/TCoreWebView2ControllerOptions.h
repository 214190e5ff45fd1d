#pragma once

// The controller options wrapper: holds ICoreWebView2ControllerOptions and
// version 2 when offered (the script locale lives there). Destruction only
// releases the interfaces.

#include <cstdint>
#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"

namespace velmoran::webview {

class TCoreWebView2ControllerOptions {
 public:
  // Takes a reference to `aBaseIntf` (or none) and collects its newer versions.
  TCoreWebView2ControllerOptions(ICoreWebView2ControllerOptions* aBaseIntf, platform::Com& aCom);
  TCoreWebView2ControllerOptions(const TCoreWebView2ControllerOptions&) = delete;
  TCoreWebView2ControllerOptions& operator=(const TCoreWebView2ControllerOptions&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2ControllerOptions* BaseIntf() const { return FVersions.Get<ICoreWebView2ControllerOptions>(); }

  // --- Runtime calls: get_X is X(), put_X is SetX(), a method keeps its name. ---

  // ICoreWebView2ControllerOptions
  std::u16string ProfileName() const;
  bool SetProfileName(const std::u16string& aValue);
  bool IsInPrivateModeEnabled() const;
  bool SetIsInPrivateModeEnabled(bool aValue);
  // ICoreWebView2ControllerOptions2
  std::u16string ScriptLocale() const;
  bool SetScriptLocale(const std::u16string& aValue);

 private:
  platform::Com& FCom;
  InterfaceVersions<ICoreWebView2ControllerOptions, ICoreWebView2ControllerOptions2> FVersions;
};

}  // namespace velmoran::webview
