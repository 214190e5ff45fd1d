#pragma once

// A context menu item the application made (ICoreWebView2Environment9's
// CreateContextMenuItem), for the custom entries it puts into the page's
// context menu. The item's interface is our own declaration: the wrapper asks
// the object for it (QueryInterface) and, refused, stays empty with every
// member answering False, 0 or empty. It subscribes the item's
// CustomItemSelected for the browser control and removes it when it goes.

#include <cstdint>
#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2ContextMenuItem {
 public:
  TCoreWebView2ContextMenuItem(IUnknown* aObject, platform::Com& aCom);
  ~TCoreWebView2ContextMenuItem();
  TCoreWebView2ContextMenuItem(const TCoreWebView2ContextMenuItem&) = delete;
  TCoreWebView2ContextMenuItem& operator=(const TCoreWebView2ContextMenuItem&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2ContextMenuItem* BaseIntf() const { return FVersions.Get<ICoreWebView2ContextMenuItem>(); }

  bool AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent);
  void RemoveAllEvents();

  std::u16string Name() const;
  std::u16string Label() const;
  std::int32_t CommandId() const;
  std::u16string ShortcutKeyDescription() const;
  COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND Kind() const;
  bool IsEnabled() const;
  bool SetIsEnabled(bool aValue);
  bool IsChecked() const;
  bool SetIsChecked(bool aValue);

 private:
  platform::Com& FCom;
  InterfaceVersions<ICoreWebView2ContextMenuItem> FVersions;
  EventRegistrationToken FCustomItemSelectedToken{};
};

}  // namespace velmoran::webview
