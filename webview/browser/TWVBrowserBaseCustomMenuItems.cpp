#include "webview/browser/TCoreWebView2ContextMenuItem.h"
#include "webview/browser/TCoreWebView2Notification.h"
#include "webview/browser/TWVBrowserBase.h"
#include "webview/loader/TCoreWebView2Environment.h"

// The objects the control keeps a subscription on for the application: the
// context menu items the application made (their CustomItemSelected) and the
// notifications the page shows (their CloseRequested). Their interfaces are
// our own declarations, so each is asked for through QueryInterface first; an
// object that refuses is left alone and raises nothing.

namespace velmoran::webview {

bool TWVBrowserBase::CreateContextMenuItem(std::u16string_view aLabel, IStream* aIconStream,
                                           COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND aKind,
                                           ComPtr<ICoreWebView2ContextMenuItem>& aMenuItem) {
  aMenuItem.Reset();
  if (!Initialized()) return false;
  ComPtr<IUnknown> created;
  if (!FCoreWebView2Environment->CreateContextMenuItem(std::u16string(aLabel), aIconStream, aKind, created))
    return false;
  auto item = std::make_unique<TCoreWebView2ContextMenuItem>(created.Get(), FPlatform.com());
  // An item whose choice could never reach the application is no use to it.
  if (!item->Initialized() || !item->AddAllBrowserEvents(this)) return false;
  aMenuItem = ComPtr<ICoreWebView2ContextMenuItem>(item->BaseIntf());
  FCustomMenuItems.push_back(std::move(item));
  return true;
}

HRESULT TWVBrowserBase::HandleCustomItemSelected(ICoreWebView2ContextMenuItem* sender, IUnknown* args) {
  NotifyCustomItemSelected(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleNotificationReceived(ICoreWebView2* sender,
                                                   ICoreWebView2NotificationReceivedEventArgs* args) {
  // Subscribed before the application sees it: its handler may already show
  // the notification and the page may ask to close it right away.
  ComPtr<IUnknown> notification = NotificationOfReceivedArgs(args);
  if (notification) {
    auto wrapper = std::make_unique<TCoreWebView2Notification>(notification.Get(), FPlatform.com());
    if (wrapper->AddAllBrowserEvents(this)) FNotifications.push_back(std::move(wrapper));
  }
  NotifyNotificationReceived(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleNotificationCloseRequested(ICoreWebView2Notification* sender, IUnknown* args) {
  NotifyNotificationCloseRequested(sender, args);
  // A notification the page closed asks nothing more: its subscription goes.
  for (auto it = FNotifications.begin(); it != FNotifications.end(); ++it) {
    if ((*it)->BaseIntf() == sender) {
      FNotifications.erase(it);
      break;
    }
  }
  return S_OK;
}

void TWVBrowserBase::ReleaseCustomMenuItemsAndNotifications() {
  FCustomMenuItems.clear();
  FNotifications.clear();
}

}  // namespace velmoran::webview
