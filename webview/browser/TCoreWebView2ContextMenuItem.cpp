#include "webview/browser/TCoreWebView2ContextMenuItem.h"

#include "webview/browser/WrapperCalls.h"
#include "webview/loader/EventSubscription.h"
#include "webview/loader/QueryInterfaceLogged.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

namespace {

ComPtr<ICoreWebView2ContextMenuItem> AskForMenuItem(IUnknown* aObject) {
  ComPtr<ICoreWebView2ContextMenuItem> result;
  if (aObject != nullptr) QueryInterfaceLogged(aObject, IID_ICoreWebView2ContextMenuItem, result.PutVoid());
  return result;
}

}  // namespace

TCoreWebView2ContextMenuItem::TCoreWebView2ContextMenuItem(IUnknown* aObject, platform::Com& aCom)
    : FCom(aCom), FVersions(AskForMenuItem(aObject).Get()) {}

TCoreWebView2ContextMenuItem::~TCoreWebView2ContextMenuItem() {
  RemoveAllEvents();
  FVersions.Release();
}

bool TCoreWebView2ContextMenuItem::AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent) {
  return Subscribe<TCoreWebView2CustomItemSelectedEventHandler>(
      FVersions.Get<ICoreWebView2ContextMenuItem>(), &ICoreWebView2ContextMenuItem::add_CustomItemSelected,
      FCustomItemSelectedToken, aBrowserComponent);
}

void TCoreWebView2ContextMenuItem::RemoveAllEvents() {
  Unsubscribe(FVersions.Get<ICoreWebView2ContextMenuItem>(),
              &ICoreWebView2ContextMenuItem::remove_CustomItemSelected, FCustomItemSelectedToken);
}

std::u16string TCoreWebView2ContextMenuItem::Name() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2ContextMenuItem>(),
                  &ICoreWebView2ContextMenuItem::get_Name);
}

std::u16string TCoreWebView2ContextMenuItem::Label() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2ContextMenuItem>(),
                  &ICoreWebView2ContextMenuItem::get_Label);
}

std::int32_t TCoreWebView2ContextMenuItem::CommandId() const {
  return ReadValue<INT32>(FVersions.Get<ICoreWebView2ContextMenuItem>(),
                          &ICoreWebView2ContextMenuItem::get_CommandId);
}

std::u16string TCoreWebView2ContextMenuItem::ShortcutKeyDescription() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2ContextMenuItem>(),
                  &ICoreWebView2ContextMenuItem::get_ShortcutKeyDescription);
}

COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND TCoreWebView2ContextMenuItem::Kind() const {
  return ReadValue<COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND>(FVersions.Get<ICoreWebView2ContextMenuItem>(),
                                                        &ICoreWebView2ContextMenuItem::get_Kind);
}

bool TCoreWebView2ContextMenuItem::IsEnabled() const {
  return ReadBool(FVersions.Get<ICoreWebView2ContextMenuItem>(),
                  &ICoreWebView2ContextMenuItem::get_IsEnabled);
}

bool TCoreWebView2ContextMenuItem::SetIsEnabled(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2ContextMenuItem>(),
                       &ICoreWebView2ContextMenuItem::put_IsEnabled, ToBOOL(aValue));
}

bool TCoreWebView2ContextMenuItem::IsChecked() const {
  return ReadBool(FVersions.Get<ICoreWebView2ContextMenuItem>(),
                  &ICoreWebView2ContextMenuItem::get_IsChecked);
}

bool TCoreWebView2ContextMenuItem::SetIsChecked(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2ContextMenuItem>(),
                       &ICoreWebView2ContextMenuItem::put_IsChecked, ToBOOL(aValue));
}

}  // namespace velmoran::webview
