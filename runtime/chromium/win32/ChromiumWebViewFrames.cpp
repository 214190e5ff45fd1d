#include <windows.h>

#include <utility>

#include "base/Text.h"
#include "platform/win32/WideText.h"
#include "runtime/chromium/win32/ChromiumDownload.h"
#include "runtime/chromium/win32/ChromiumEventArgs.h"
#include "runtime/chromium/win32/ChromiumFrame.h"
#include "runtime/chromium/win32/ChromiumSettings.h"
#include "runtime/chromium/win32/ChromiumWebView.h"
#include "runtime/chromium/win32/Trace.h"

// The webview's frames and downloads: each frame Chromium reports becomes a
// ChromiumFrame announced with FrameCreated and raising its own events until
// it is destroyed; each download a ChromiumDownloadOperation announced with
// DownloadStarting and raising its progress until it has ended.

namespace velmoran::runtime::chromium {

using webview::ComPtr;
using webview::MakeComObject;

namespace {

bool FileExists(const std::u16string& path) {
  return ::GetFileAttributesW(platform::win32::AsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

// The file name Chromium suggested, as one name inside the download folder: no
// folders, no characters Windows refuses; "download" when nothing is left.
std::u16string SafeFileName(std::u16string_view suggested) {
  std::u16string name;
  for (char16_t c : suggested) {
    const bool refused = c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'/' ||
                         c == u'\\' || c == u'|' || c == u'?' || c == u'*';
    name += refused ? u'_' : c;
  }
  while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.pop_back();
  return name.empty() ? u"download" : name;
}

// `folder\name`, or `folder\stem (n).ext` with the first n that names no existing file.
std::u16string FreePath(const std::u16string& folder, const std::u16string& name) {
  std::u16string path = folder + u"\\" + name;
  if (!FileExists(path)) return path;
  const std::size_t dot = name.rfind(u'.');
  const std::u16string stem = dot == std::u16string::npos || dot == 0 ? name : name.substr(0, dot);
  const std::u16string extension = stem.size() == name.size() ? u"" : name.substr(dot);
  const std::u16string numbered = folder + u"\\" + stem + u" (";
  for (int n = 1; n < 10000; ++n) {
    const std::string number = std::to_string(n);
    path = numbered;
    path.append(number.begin(), number.end()).append(u")").append(extension);
    if (!FileExists(path)) return path;
  }
  return folder + u"\\" + name;
}

}  // namespace

HRESULT ChromiumWebView::get_IsSuspended(BOOL* isSuspended) { return AnswerValue<BOOL>(isSuspended, FALSE); }

ComPtr<ChromiumFrame> ChromiumWebView::FindFrame(std::uint32_t frameId) const {
  const auto found = frames_.find(frameId);
  return found != frames_.end() ? found->second : ComPtr<ChromiumFrame>();
}

void ChromiumWebView::CloseFramesAndDownloads() {
  for (auto& [id, frame] : frames_) {
    frame->MarkDestroyed();
    frame->Events().Clear();
  }
  frames_.clear();
  for (auto& [guid, download] : downloads_) download->Close();
  downloads_.clear();
}

void ChromiumWebView::FrameCreated(std::uint32_t frameId, std::u16string_view name) {
  if (closed_) return;
  auto frame = MakeComObject<ChromiumFrame>(browser_, frameId, std::u16string(name));
  frames_[frameId] = frame;
  Trace("frame created " + std::to_string(frameId));
  auto args = MakeComObject<ChromiumFrameCreatedArgs>(frame);
  events_.Raise<ICoreWebView2FrameCreatedEventHandler>(
      "FrameCreated", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2FrameCreatedEventArgs*>(args.Get()));
}

void ChromiumWebView::FrameNameChanged(std::uint32_t frameId, std::u16string_view name) {
  const ComPtr<ChromiumFrame> frame = FindFrame(frameId);
  if (!frame) return;
  frame->Rename(name);
  frame->Events().Raise<ICoreWebView2FrameNameChangedEventHandler>(
      "NameChanged", static_cast<ICoreWebView2Frame*>(frame.Get()), static_cast<IUnknown*>(nullptr));
}

void ChromiumWebView::FrameNavigationStarting(std::uint32_t frameId, std::uint64_t navigationId,
                                              std::u16string_view uri) {
  const ComPtr<ChromiumFrame> frame = FindFrame(frameId);
  if (!frame) return;
  // A frame's navigation is not held back here: its Cancel is taken but changes nothing.
  auto args = MakeComObject<NavigationStartingArgs>(std::u16string(uri), false, navigationId);
  frame->Events().Raise<ICoreWebView2FrameNavigationStartingEventHandler>(
      "NavigationStarting", static_cast<ICoreWebView2Frame*>(frame.Get()),
      static_cast<ICoreWebView2NavigationStartingEventArgs*>(args.Get()));
}

void ChromiumWebView::FrameContentLoading(std::uint32_t frameId, std::uint64_t navigationId,
                                          bool isErrorPage) {
  const ComPtr<ChromiumFrame> frame = FindFrame(frameId);
  if (!frame) return;
  auto args = MakeComObject<ContentLoadingArgs>(isErrorPage, navigationId);
  frame->Events().Raise<ICoreWebView2FrameContentLoadingEventHandler>(
      "ContentLoading", static_cast<ICoreWebView2Frame*>(frame.Get()),
      static_cast<ICoreWebView2ContentLoadingEventArgs*>(args.Get()));
}

void ChromiumWebView::FrameDomContentLoaded(std::uint32_t frameId, std::uint64_t navigationId) {
  const ComPtr<ChromiumFrame> frame = FindFrame(frameId);
  if (!frame) return;
  auto args = MakeComObject<DomContentLoadedArgs>(navigationId);
  frame->Events().Raise<ICoreWebView2FrameDOMContentLoadedEventHandler>(
      "DOMContentLoaded", static_cast<ICoreWebView2Frame*>(frame.Get()),
      static_cast<ICoreWebView2DOMContentLoadedEventArgs*>(args.Get()));
}

void ChromiumWebView::FrameNavigationCompleted(std::uint32_t frameId, std::uint64_t navigationId,
                                               bool isSuccess, COREWEBVIEW2_WEB_ERROR_STATUS webErrorStatus) {
  const ComPtr<ChromiumFrame> frame = FindFrame(frameId);
  if (!frame) return;
  auto args = MakeComObject<NavigationCompletedArgs>(isSuccess, webErrorStatus, navigationId, 0);
  frame->Events().Raise<ICoreWebView2FrameNavigationCompletedEventHandler>(
      "NavigationCompleted", static_cast<ICoreWebView2Frame*>(frame.Get()),
      static_cast<ICoreWebView2NavigationCompletedEventArgs*>(args.Get()));
}

void ChromiumWebView::FrameDestroyed(std::uint32_t frameId) {
  const ComPtr<ChromiumFrame> frame = FindFrame(frameId);
  if (!frame) return;
  frames_.erase(frameId);
  frame->MarkDestroyed();
  Trace("frame destroyed " + std::to_string(frameId));
  frame->Events().Raise<ICoreWebView2FrameDestroyedEventHandler>(
      "Destroyed", static_cast<ICoreWebView2Frame*>(frame.Get()), static_cast<IUnknown*>(nullptr));
  // The runtime keeps no subscription of a frame that is gone.
  frame->Events().Clear();
}

void ChromiumWebView::FrameWebMessageReceived(std::uint32_t frameId, std::u16string messageAsJson) {
  const ComPtr<ChromiumFrame> frame = FindFrame(frameId);
  if (!frame || !settings_->WebMessagesEnabled()) return;
  auto args = MakeComObject<WebMessageReceivedArgs>(std::u16string(), std::move(messageAsJson));
  frame->Events().Raise<ICoreWebView2FrameWebMessageReceivedEventHandler>(
      "WebMessageReceived", static_cast<ICoreWebView2Frame*>(frame.Get()),
      static_cast<ICoreWebView2WebMessageReceivedEventArgs*>(args.Get()));
}

void ChromiumWebView::DownloadWillBegin(std::u16string_view guid, std::u16string_view url,
                                        std::u16string_view suggestedFilename) {
  if (closed_ || guid.empty() || downloads_.count(guid) > 0) return;
  const std::u16string& folder = browser_->DownloadFolder();
  ::CreateDirectoryW(platform::win32::AsWide(folder), nullptr);
  const std::u16string path = FreePath(folder, SafeFileName(suggestedFilename));
  auto operation =
      MakeComObject<ChromiumDownloadOperation>(browser_, std::u16string(guid), std::u16string(url), path);
  downloads_.emplace(std::u16string(guid), operation);
  Trace("download " + Utf16ToUtf8(url) + " to " + Utf16ToUtf8(path));
  auto args = MakeComObject<ChromiumDownloadStartingArgs>(operation, path);
  events_.Raise<ICoreWebView2DownloadStartingEventHandler>(
      "DownloadStarting", static_cast<ICoreWebView2*>(this),
      static_cast<ICoreWebView2DownloadStartingEventArgs*>(args.Get()));
  operation->SetResultFilePath(args->ChosenResultFilePath());
  if (args->Cancelled()) operation->Cancel();
}

void ChromiumWebView::DownloadProgress(std::u16string_view guid, std::u16string_view state,
                                       double receivedBytes, double totalBytes) {
  const auto found = downloads_.find(guid);
  if (found == downloads_.end()) return;
  const ComPtr<ChromiumDownloadOperation> operation = found->second;
  if (operation->Progress(state, receivedBytes, totalBytes)) downloads_.erase(operation->Guid());
}

}  // namespace velmoran::runtime::chromium
