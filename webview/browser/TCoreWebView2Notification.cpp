#include "webview/browser/TCoreWebView2Notification.h"

#include "webview/browser/WrapperCalls.h"
#include "webview/loader/EventSubscription.h"
#include "webview/loader/QueryInterfaceLogged.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::webview {

namespace {

ComPtr<ICoreWebView2Notification> AskForNotification(IUnknown* aObject) {
  ComPtr<ICoreWebView2Notification> result;
  if (aObject != nullptr) QueryInterfaceLogged(aObject, IID_ICoreWebView2Notification, result.PutVoid());
  return result;
}

}  // namespace

ComPtr<IUnknown> NotificationOfReceivedArgs(ICoreWebView2NotificationReceivedEventArgs* aArgs) {
  ComPtr<IUnknown> notification;
  if (aArgs == nullptr) return notification;
  // The sink received the arguments typed as ours; the runtime may mean something else by them.
  ComPtr<ICoreWebView2NotificationReceivedEventArgs> args;
  if (!QueryInterfaceLogged(aArgs, IID_ICoreWebView2NotificationReceivedEventArgs, args.PutVoid()))
    return notification;
  ComPtr<ICoreWebView2Notification> received;
  if (FAILED(args->get_Notification(received.Put())) || !received) return notification;
  ComPtr<ICoreWebView2Notification> asked = AskForNotification(received.Get());
  if (asked) notification = ComPtr<IUnknown>(asked.Get());
  return notification;
}

TCoreWebView2Notification::TCoreWebView2Notification(IUnknown* aObject, platform::Com& aCom)
    : FCom(aCom), FVersions(AskForNotification(aObject).Get()) {}

TCoreWebView2Notification::~TCoreWebView2Notification() {
  RemoveAllEvents();
  FVersions.Release();
}

bool TCoreWebView2Notification::AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent) {
  return Subscribe<TCoreWebView2NotificationCloseRequestedEventHandler>(
      FVersions.Get<ICoreWebView2Notification>(), &ICoreWebView2Notification::add_CloseRequested,
      FCloseRequestedToken, aBrowserComponent);
}

void TCoreWebView2Notification::RemoveAllEvents() {
  Unsubscribe(FVersions.Get<ICoreWebView2Notification>(), &ICoreWebView2Notification::remove_CloseRequested,
              FCloseRequestedToken);
}

std::u16string TCoreWebView2Notification::Title() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2Notification>(), &ICoreWebView2Notification::get_Title);
}

std::u16string TCoreWebView2Notification::Body() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2Notification>(), &ICoreWebView2Notification::get_Body);
}

bool TCoreWebView2Notification::ReportShown() {
  return CallSucceeded(FVersions.Get<ICoreWebView2Notification>(), &ICoreWebView2Notification::ReportShown);
}

bool TCoreWebView2Notification::ReportClicked() {
  return CallSucceeded(FVersions.Get<ICoreWebView2Notification>(), &ICoreWebView2Notification::ReportClicked);
}

bool TCoreWebView2Notification::ReportClosed() {
  return CallSucceeded(FVersions.Get<ICoreWebView2Notification>(), &ICoreWebView2Notification::ReportClosed);
}

}  // namespace velmoran::webview
