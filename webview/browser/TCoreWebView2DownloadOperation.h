#pragma once

// The download wrapper: one download the runtime announced with
// DownloadStarting. The download operation's interface carries an id of our
// own, so the wrapper reaches it only through QueryInterface on the pointer
// it is given: a runtime that does not know the id refuses, the wrapper is
// not Initialized and every member answers False, 0 or empty. The browser
// control keeps one per running download, subscribed to its three events
// under the control's number for it; the application may make one from the
// download its event handler got, to read how far it is or to cancel it.

#include <cstdint>
#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

class TCoreWebView2DownloadOperation {
 public:
  // Asks `aOperation` (or none) for the download operation's interface.
  // `aDownloadID` is what the subscriptions hand back to the browser control.
  TCoreWebView2DownloadOperation(IUnknown* aOperation, platform::Com& aCom, std::int32_t aDownloadID = 0);
  // Removes the subscriptions, then releases the interface.
  ~TCoreWebView2DownloadOperation();
  TCoreWebView2DownloadOperation(const TCoreWebView2DownloadOperation&) = delete;
  TCoreWebView2DownloadOperation& operator=(const TCoreWebView2DownloadOperation&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2DownloadOperation* BaseIntf() const { return FVersions.Get<ICoreWebView2DownloadOperation>(); }
  std::int32_t DownloadID() const { return FDownloadID; }

  // Subscribes BytesReceivedChanged, EstimatedEndTimeChanged and StateChanged,
  // in that order, stopping at the first that cannot be made; True only if all were.
  bool AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent);
  // Removes every subscription made; every token is zero afterwards.
  void RemoveAllEvents();

  // --- Runtime calls: get_X is X(), a method keeps its name. ---
  std::u16string Uri() const;
  std::u16string ContentDisposition() const;
  std::u16string MimeType() const;
  // The runtime answers -1 while the size is not known; 0 when it cannot be asked.
  std::int64_t TotalBytesToReceive() const;
  std::int64_t BytesReceived() const;
  // The runtime's estimate as its text (an ISO 8601 date and time); empty when none.
  std::u16string EstimatedEndTime() const;
  std::u16string ResultFilePath() const;
  COREWEBVIEW2_DOWNLOAD_STATE State() const;
  COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON InterruptReason() const;
  bool CanResume() const;
  bool Cancel();
  bool Pause();
  bool Resume();

 private:
  platform::Com& FCom;
  std::int32_t FDownloadID;
  InterfaceVersions<ICoreWebView2DownloadOperation> FVersions;
  EventRegistrationToken FBytesReceivedChangedToken{};
  EventRegistrationToken FEstimatedEndTimeChangedToken{};
  EventRegistrationToken FStateChangedToken{};
};

}  // namespace velmoran::webview
