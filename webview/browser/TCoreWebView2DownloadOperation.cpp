#include "webview/browser/TCoreWebView2DownloadOperation.h"

#include "webview/browser/OwnInterfaceQuery.h"
#include "webview/browser/WrapperCalls.h"
#include "webview/loader/EventSubscription.h"
#include "webview/sinks/CoreWebView2FrameSinks.h"

namespace velmoran::webview {

TCoreWebView2DownloadOperation::TCoreWebView2DownloadOperation(IUnknown* aOperation, platform::Com& aCom,
                                                               std::int32_t aDownloadID)
    : FCom(aCom),
      FDownloadID(aDownloadID),
      FVersions(QueryOwnInterface<ICoreWebView2DownloadOperation>(aOperation).Get()) {}

TCoreWebView2DownloadOperation::~TCoreWebView2DownloadOperation() {
  RemoveAllEvents();
  FVersions.Release();
}

bool TCoreWebView2DownloadOperation::AddAllBrowserEvents(IWVBrowserEvents* aBrowserComponent) {
  ICoreWebView2DownloadOperation* intf = BaseIntf();
  return Subscribe<TCoreWebView2BytesReceivedChangedEventHandler>(
             intf, &ICoreWebView2DownloadOperation::add_BytesReceivedChanged, FBytesReceivedChangedToken,
             aBrowserComponent, FDownloadID) &&
         Subscribe<TCoreWebView2EstimatedEndTimeChangedEventHandler>(
             intf, &ICoreWebView2DownloadOperation::add_EstimatedEndTimeChanged,
             FEstimatedEndTimeChangedToken, aBrowserComponent, FDownloadID) &&
         Subscribe<TCoreWebView2StateChangedEventHandler>(intf,
                                                          &ICoreWebView2DownloadOperation::add_StateChanged,
                                                          FStateChangedToken, aBrowserComponent, FDownloadID);
}

void TCoreWebView2DownloadOperation::RemoveAllEvents() {
  ICoreWebView2DownloadOperation* intf = BaseIntf();
  Unsubscribe(intf, &ICoreWebView2DownloadOperation::remove_BytesReceivedChanged, FBytesReceivedChangedToken);
  Unsubscribe(intf, &ICoreWebView2DownloadOperation::remove_EstimatedEndTimeChanged,
              FEstimatedEndTimeChangedToken);
  Unsubscribe(intf, &ICoreWebView2DownloadOperation::remove_StateChanged, FStateChangedToken);
}

std::u16string TCoreWebView2DownloadOperation::Uri() const {
  return ReadText(FCom, BaseIntf(), &ICoreWebView2DownloadOperation::get_Uri);
}

std::u16string TCoreWebView2DownloadOperation::ContentDisposition() const {
  return ReadText(FCom, BaseIntf(), &ICoreWebView2DownloadOperation::get_ContentDisposition);
}

std::u16string TCoreWebView2DownloadOperation::MimeType() const {
  return ReadText(FCom, BaseIntf(), &ICoreWebView2DownloadOperation::get_MimeType);
}

std::int64_t TCoreWebView2DownloadOperation::TotalBytesToReceive() const {
  return ReadValue<INT64>(BaseIntf(), &ICoreWebView2DownloadOperation::get_TotalBytesToReceive);
}

std::int64_t TCoreWebView2DownloadOperation::BytesReceived() const {
  return ReadValue<INT64>(BaseIntf(), &ICoreWebView2DownloadOperation::get_BytesReceived);
}

std::u16string TCoreWebView2DownloadOperation::EstimatedEndTime() const {
  return ReadText(FCom, BaseIntf(), &ICoreWebView2DownloadOperation::get_EstimatedEndTime);
}

std::u16string TCoreWebView2DownloadOperation::ResultFilePath() const {
  return ReadText(FCom, BaseIntf(), &ICoreWebView2DownloadOperation::get_ResultFilePath);
}

COREWEBVIEW2_DOWNLOAD_STATE TCoreWebView2DownloadOperation::State() const {
  return ReadValue<COREWEBVIEW2_DOWNLOAD_STATE>(BaseIntf(), &ICoreWebView2DownloadOperation::get_State);
}

COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON TCoreWebView2DownloadOperation::InterruptReason() const {
  return ReadValue<COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON>(
      BaseIntf(), &ICoreWebView2DownloadOperation::get_InterruptReason);
}

bool TCoreWebView2DownloadOperation::CanResume() const {
  return ReadBool(BaseIntf(), &ICoreWebView2DownloadOperation::get_CanResume);
}

bool TCoreWebView2DownloadOperation::Cancel() {
  return CallSucceeded(BaseIntf(), &ICoreWebView2DownloadOperation::Cancel);
}

bool TCoreWebView2DownloadOperation::Pause() {
  return CallSucceeded(BaseIntf(), &ICoreWebView2DownloadOperation::Pause);
}

bool TCoreWebView2DownloadOperation::Resume() {
  return CallSucceeded(BaseIntf(), &ICoreWebView2DownloadOperation::Resume);
}

}  // namespace velmoran::webview
