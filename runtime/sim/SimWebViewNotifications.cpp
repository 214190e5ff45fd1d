#include <utility>

#include "runtime/sim/SimNotification.h"
#include "runtime/sim/SimNotificationReceivedEventArgs.h"
#include "runtime/sim/SimWebView.h"

// The page's notifications: the webview raises NotificationReceived for one
// the page shows, and the notification raises CloseRequested when the page
// closes it. A closed or dead webview shows nothing and closes nothing.

namespace velmoran::runtime::sim {

using webview::ComPtr;
using webview::MakeComObject;

ComPtr<SimNotification> SimWebView::ShowNotification(std::u16string senderOrigin, std::u16string title,
                                                     std::u16string body) {
  auto notification = MakeComObject<SimNotification>(SharedContext(), side_->Config().notificationVersions);
  notification->Values().Write<std::u16string>("Title", std::move(title));
  notification->Values().Write<std::u16string>("Body", std::move(body));
  auto args = MakeComObject<SimNotificationReceivedEventArgs>(
      SharedContext(), side_->Config().notificationReceivedArgsVersions, std::move(senderOrigin),
      notification);
  ComPtr<SimWebView> self(this);
  Context().Post([self, args] {
    if (!self->Live()) return;
    self->Events().Raise<ICoreWebView2NotificationReceivedEventHandler>(
        "NotificationReceived", static_cast<ICoreWebView2*>(self.Get()),
        static_cast<ICoreWebView2NotificationReceivedEventArgs*>(args.Get()));
  });
  return notification;
}

void SimWebView::CloseNotification(SimNotification& notification) {
  ComPtr<SimWebView> self(this);
  ComPtr<SimNotification> closing(&notification);
  Context().Post([self, closing] {
    if (!self->Live()) return;
    closing->Events().Raise<ICoreWebView2NotificationCloseRequestedEventHandler>(
        "CloseRequested", static_cast<ICoreWebView2Notification*>(closing.Get()),
        static_cast<IUnknown*>(nullptr));
  });
}

}  // namespace velmoran::runtime::sim
