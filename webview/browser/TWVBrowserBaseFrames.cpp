#include <algorithm>
#include <memory>

#include "webview/browser/OwnInterfaceQuery.h"
#include "webview/browser/TCoreWebView2DownloadOperation.h"
#include "webview/browser/TCoreWebView2Frame.h"
#include "webview/browser/TWVBrowserBase.h"
#include "webview/loader/LoaderErrorTexts.h"
#include "webview/loader/TWVLoader.h"

// The frames of the page and the downloads. FrameCreated and DownloadStarting
// hand over objects whose interfaces carry ids of our own: the control asks
// for them with QueryInterface and goes on without the object when the
// runtime refuses (the event is raised all the same). A frame is wrapped and
// its events subscribed until the runtime says it is destroyed; a download's
// three events are subscribed until it has completed or was interrupted.
// Every frame and download event is raised with what the runtime passed,
// unchanged, plus the frame's id (the runtime's, 0 when it does not tell) or
// the control's number for the download.

namespace velmoran::webview {

namespace {

// An announcement that came without its object: one line in the loader's error log.
void LogMissingObject(std::u16string_view aWhat, HRESULT aErrorCode) {
  if (TWVLoader* loader = SharedWebViewLoader())
    loader->AppendErrorLog(std::u16string(aWhat) + u" " + ErrorCodeText(aErrorCode));
}

}  // namespace

HRESULT TWVBrowserBase::HandleFrameCreated(ICoreWebView2* sender, ICoreWebView2FrameCreatedEventArgs* args) {
  // Subscribed before the application hears of the frame, so nothing it starts is missed.
  AdoptFrame(args);
  NotifyFrameCreated(sender, args);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleDownloadStarting(ICoreWebView2* sender,
                                               ICoreWebView2DownloadStartingEventArgs* args) {
  AdoptDownload(args);
  NotifyDownloadStarting(sender, args);
  return S_OK;
}

void TWVBrowserBase::AdoptFrame(ICoreWebView2FrameCreatedEventArgs* aArgs) {
  const ComPtr<ICoreWebView2FrameCreatedEventArgs> args =
      QueryOwnInterface<ICoreWebView2FrameCreatedEventArgs>(aArgs);
  if (!args) return;
  ComPtr<ICoreWebView2Frame> frame;
  const HRESULT answer = args->get_Frame(frame.Put());
  if (FAILED(answer) || !frame) {
    LogMissingObject(u"FrameCreated brought no frame.", answer);
    return;
  }
  auto wrapper = std::make_unique<TCoreWebView2Frame>(frame.Get(), FPlatform.com(), FNextFrameKey++);
  if (!wrapper->Initialized()) return;
  wrapper->AddAllBrowserEvents(this);
  FFrames.push_back(std::move(wrapper));
}

void TWVBrowserBase::AdoptDownload(ICoreWebView2DownloadStartingEventArgs* aArgs) {
  const ComPtr<ICoreWebView2DownloadStartingEventArgs> args =
      QueryOwnInterface<ICoreWebView2DownloadStartingEventArgs>(aArgs);
  if (!args) return;
  ComPtr<ICoreWebView2DownloadOperation> operation;
  const HRESULT answer = args->get_DownloadOperation(operation.Put());
  if (FAILED(answer) || !operation) {
    LogMissingObject(u"DownloadStarting brought no download.", answer);
    return;
  }
  auto wrapper =
      std::make_unique<TCoreWebView2DownloadOperation>(operation.Get(), FPlatform.com(), FNextDownloadID++);
  if (!wrapper->Initialized()) return;
  wrapper->AddAllBrowserEvents(this);
  FDownloads.push_back(std::move(wrapper));
}

TCoreWebView2Frame* TWVBrowserBase::FindFrame(std::uint32_t aFrameKey) const {
  const auto found = std::find_if(FFrames.begin(), FFrames.end(),
                                  [&](const auto& frame) { return frame->FrameKey() == aFrameKey; });
  return found != FFrames.end() ? found->get() : nullptr;
}

std::uint32_t TWVBrowserBase::FrameIDOf(std::uint32_t aFrameKey) const {
  const TCoreWebView2Frame* frame = FindFrame(aFrameKey);
  return frame != nullptr ? frame->FrameID() : 0;
}

void TWVBrowserBase::ReleaseFrame(std::uint32_t aFrameKey) {
  const auto found = std::find_if(FFrames.begin(), FFrames.end(),
                                  [&](const auto& frame) { return frame->FrameKey() == aFrameKey; });
  if (found == FFrames.end()) return;
  // Taken out of the list before its subscriptions go, so nothing it triggers finds it half gone.
  std::unique_ptr<TCoreWebView2Frame> frame = std::move(*found);
  FFrames.erase(found);
}

void TWVBrowserBase::ReleaseDownload(std::int32_t aDownloadID) {
  const auto found = std::find_if(FDownloads.begin(), FDownloads.end(), [&](const auto& download) {
    return download->DownloadID() == aDownloadID;
  });
  if (found == FDownloads.end()) return;
  std::unique_ptr<TCoreWebView2DownloadOperation> download = std::move(*found);
  FDownloads.erase(found);
}

void TWVBrowserBase::ReleaseFramesAndDownloads() {
  // Moved out first: a wrapper's removal may call back into the runtime, which may call back here.
  std::vector<std::unique_ptr<TCoreWebView2Frame>> frames = std::move(FFrames);
  std::vector<std::unique_ptr<TCoreWebView2DownloadOperation>> downloads = std::move(FDownloads);
  FFrames.clear();
  FDownloads.clear();
  frames.clear();
  downloads.clear();
}

HRESULT TWVBrowserBase::HandleFrameNameChanged(ICoreWebView2Frame* sender, IUnknown* /*args*/,
                                               std::uint32_t frameKey) {
  NotifyFrameNameChanged(sender, FrameIDOf(frameKey));
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameDestroyed(ICoreWebView2Frame* sender, IUnknown* /*args*/,
                                             std::uint32_t frameKey) {
  // The handler may still read the frame's id; the wrapper goes after it.
  const std::uint32_t frameID = FrameIDOf(frameKey);
  NotifyFrameDestroyed(sender, frameID);
  ReleaseFrame(frameKey);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameNavigationStarting2(ICoreWebView2Frame* sender,
                                                       ICoreWebView2NavigationStartingEventArgs* args,
                                                       std::uint32_t frameKey) {
  NotifyFrameNavigationStarting2(sender, args, FrameIDOf(frameKey));
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameContentLoading(ICoreWebView2Frame* sender,
                                                  ICoreWebView2ContentLoadingEventArgs* args,
                                                  std::uint32_t frameKey) {
  NotifyFrameContentLoading(sender, args, FrameIDOf(frameKey));
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameNavigationCompleted2(ICoreWebView2Frame* sender,
                                                        ICoreWebView2NavigationCompletedEventArgs* args,
                                                        std::uint32_t frameKey) {
  NotifyFrameNavigationCompleted2(sender, args, FrameIDOf(frameKey));
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameDOMContentLoaded(ICoreWebView2Frame* sender,
                                                    ICoreWebView2DOMContentLoadedEventArgs* args,
                                                    std::uint32_t frameKey) {
  NotifyFrameDOMContentLoaded(sender, args, FrameIDOf(frameKey));
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameWebMessageReceived(ICoreWebView2Frame* sender,
                                                      ICoreWebView2WebMessageReceivedEventArgs* args,
                                                      std::uint32_t frameKey) {
  NotifyFrameWebMessageReceived(sender, args, FrameIDOf(frameKey));
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFramePermissionRequested(ICoreWebView2Frame* sender,
                                                       ICoreWebView2PermissionRequestedEventArgs2* args,
                                                       std::uint32_t frameKey) {
  NotifyFramePermissionRequested(sender, args, FrameIDOf(frameKey));
  return S_OK;
}

HRESULT TWVBrowserBase::HandleFrameScreenCaptureStarting(ICoreWebView2Frame* sender,
                                                         ICoreWebView2ScreenCaptureStartingEventArgs* args,
                                                         std::uint32_t frameKey) {
  NotifyFrameScreenCaptureStarting(sender, args, FrameIDOf(frameKey));
  return S_OK;
}

HRESULT TWVBrowserBase::HandleBytesReceivedChanged(ICoreWebView2DownloadOperation* sender, IUnknown* /*args*/,
                                                   std::int32_t downloadID) {
  NotifyBytesReceivedChanged(sender, downloadID);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleEstimatedEndTimeChanged(ICoreWebView2DownloadOperation* sender,
                                                      IUnknown* /*args*/, std::int32_t downloadID) {
  NotifyEstimatedEndTimeChanged(sender, downloadID);
  return S_OK;
}

HRESULT TWVBrowserBase::HandleDownloadStateChanged(ICoreWebView2DownloadOperation* sender, IUnknown* /*args*/,
                                                   std::int32_t downloadID) {
  NotifyDownloadStateChanged(sender, downloadID);
  // Read through the control's own wrapper, which asked for the interface; the sender is never called.
  const auto found = std::find_if(FDownloads.begin(), FDownloads.end(),
                                  [&](const auto& download) { return download->DownloadID() == downloadID; });
  if (found == FDownloads.end()) return S_OK;
  const COREWEBVIEW2_DOWNLOAD_STATE state = (*found)->State();
  // A paused download is interrupted too, but it may be resumed: it has ended only when it cannot.
  const bool ended = state == COREWEBVIEW2_DOWNLOAD_STATE_COMPLETED ||
                     (state == COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED && !(*found)->CanResume());
  if (ended) ReleaseDownload(downloadID);
  return S_OK;
}

}  // namespace velmoran::webview
