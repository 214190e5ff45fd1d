#pragma once

// A notification the page shows (from NotificationReceived), held while the
// browser control listens for the page's wish to close it. Its interface is
// our own declaration: the wrapper asks the object for it (QueryInterface)
// and, refused, stays empty. It subscribes CloseRequested for the control and
// removes it when it goes.

#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2Notification {
 public:
  TCoreWebView2Notification(IUnknown* aObject, platform::Com& aCom);
  ~TCoreWebView2Notification();
  TCoreWebView2Notification(const TCoreWebView2Notification&) = delete;
  TCoreWebView2Notification& operator=(const TCoreWebView2Notification&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2Notification* BaseIntf() const { return FVersions.Get<ICoreWebView2Notification>(); }

  bool AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent);
  void RemoveAllEvents();

  std::u16string Title() const;
  std::u16string Body() const;
  bool ReportShown();
  bool ReportClicked();
  bool ReportClosed();

 private:
  platform::Com& FCom;
  InterfaceVersions<ICoreWebView2Notification> FVersions;
  EventRegistrationToken FCloseRequestedToken{};
};

// The notification that NotificationReceived's arguments carry, asked for
// through our own ids at each step (arguments, then notification); none when
// either is refused.
ComPtr<IUnknown> NotificationOfReceivedArgs(ICoreWebView2NotificationReceivedEventArgs* aArgs);

}  // namespace velmoran::webview
