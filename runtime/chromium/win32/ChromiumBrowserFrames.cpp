#include <string>
#include <utility>

#include "base/Text.h"
#include "runtime/chromium/JsonWriter.h"
#include "runtime/chromium/win32/ChromiumBrowser.h"
#include "runtime/chromium/win32/Trace.h"

// The page's frames and the browser's downloads, from what Chromium reports:
// the Page events of the page's session for the frames (through the
// FrameTracker), the Runtime events for each frame's script context, and the
// Browser events of the browser's own session for the downloads, which
// Chromium sends once it was told where to put them.

namespace velmoran::runtime::chromium {

namespace {

bool IsSameDocument(std::u16string_view navigationType) {
  return navigationType == u"sameDocument" || navigationType == u"historySameDocument";
}

}  // namespace

void ChromiumBrowser::CallBrowser(std::string_view method, std::string_view paramsJson,
                                  DevToolsSession::AnswerHandler onAnswer) {
  session_.Call(method, paramsJson, {}, std::move(onAnswer));
}

void ChromiumBrowser::SubscribeFrameAndDownloadEvents() {
  // Named by their guid in a folder of the runtime's own, and moved where the host wants them once complete.
  if (!launch_.downloadStagingFolderUnix.empty()) {
    JsonWriter behaviour;
    behaviour.BeginObject()
        .Key("behavior")
        .String("allowAndName")
        .Key("downloadPath")
        .String(launch_.downloadStagingFolderUnix)
        .Key("eventsEnabled")
        .Bool(true)
        .EndObject();
    session_.Call("Browser.setDownloadBehavior", behaviour.Text(), {},
                  [](const DevToolsSession::Answer& answer) {
                    if (!answer.Succeeded()) Trace("downloads refused: " + Utf16ToUtf8(*answer.error));
                  });
  }
  auto page = [this](const DevToolsMessage& event) {
    if (!IsPage(event)) return false;
    frameTracker_.SetMainFrame(targetId_);
    return true;
  };
  session_.Subscribe(u"Page.frameAttached", [this, page](const DevToolsMessage& event) {
    if (page(event))
      frameTracker_.Attached(TextMember(event.body, u"frameId"), TextMember(event.body, u"parentFrameId"));
  });
  session_.Subscribe(u"Page.frameStartedNavigating", [this, page](const DevToolsMessage& event) {
    if (!page(event) || IsMainFrame(event.body) || IsSameDocument(TextMember(event.body, u"navigationType")))
      return;
    frameTracker_.StartedNavigating(TextMember(event.body, u"frameId"), TextMember(event.body, u"loaderId"),
                                    TextMember(event.body, u"url"));
  });
  session_.Subscribe(u"Page.frameNavigated", [this, page](const DevToolsMessage& event) {
    const codec::JsonValue* frame = ObjectMember(event.body, u"frame");
    if (!page(event) || frame == nullptr || IsMainFrame(*frame, u"id")) return;
    const std::u16string_view unreachable = TextMember(*frame, u"unreachableUrl");
    const std::u16string_view url = TextMember(*frame, u"url");
    const bool isErrorPage = !unreachable.empty() || url.substr(0, 13) == u"chrome-error:";
    frameTracker_.Navigated(TextMember(*frame, u"id"), TextMember(*frame, u"loaderId"),
                            TextMember(*frame, u"name"), unreachable.empty() ? url : unreachable,
                            isErrorPage);
  });
  session_.Subscribe(u"Page.lifecycleEvent", [this, page](const DevToolsMessage& event) {
    if (page(event) && !IsMainFrame(event.body))
      frameTracker_.Lifecycle(TextMember(event.body, u"frameId"), TextMember(event.body, u"loaderId"),
                              TextMember(event.body, u"name"));
  });
  session_.Subscribe(u"Network.loadingFailed", [this, page](const DevToolsMessage& event) {
    if (page(event) && TextMember(event.body, u"type") == u"Document")
      frameTracker_.LoadingFailed(TextMember(event.body, u"requestId"), TextMember(event.body, u"errorText"));
  });
  session_.Subscribe(u"Page.frameStoppedLoading", [this, page](const DevToolsMessage& event) {
    if (page(event) && !IsMainFrame(event.body))
      frameTracker_.StoppedLoading(TextMember(event.body, u"frameId"));
  });
  session_.Subscribe(u"Page.frameDetached", [this, page](const DevToolsMessage& event) {
    // A frame swapped into a renderer of its own is out of this session's sight as well: gone for the host.
    if (page(event)) frameTracker_.Detached(TextMember(event.body, u"frameId"));
  });
  session_.Subscribe(u"Runtime.executionContextCreated", [this, page](const DevToolsMessage& event) {
    const codec::JsonValue* context = ObjectMember(event.body, u"context");
    const codec::JsonValue* aux = context != nullptr ? ObjectMember(*context, u"auxData") : nullptr;
    if (!page(event) || aux == nullptr) return;
    frameTracker_.ContextCreated(TextMember(*aux, u"frameId"), IntegerMember(*context, u"id"),
                                 BoolMember(*aux, u"isDefault"));
  });
  session_.Subscribe(u"Runtime.executionContextDestroyed", [this, page](const DevToolsMessage& event) {
    if (page(event)) frameTracker_.ContextDestroyed(IntegerMember(event.body, u"executionContextId"));
  });
  session_.Subscribe(u"Browser.downloadWillBegin", [this](const DevToolsMessage& event) {
    if (!event.sessionId.empty() || frameEvents_ == nullptr || !ready_) return;
    frameEvents_->DownloadWillBegin(TextMember(event.body, u"guid"), TextMember(event.body, u"url"),
                                    TextMember(event.body, u"suggestedFilename"));
  });
  session_.Subscribe(u"Browser.downloadProgress", [this](const DevToolsMessage& event) {
    if (!event.sessionId.empty() || frameEvents_ == nullptr || !ready_) return;
    frameEvents_->DownloadProgress(TextMember(event.body, u"guid"), TextMember(event.body, u"state"),
                                   static_cast<double>(IntegerMember(event.body, u"receivedBytes")),
                                   static_cast<double>(IntegerMember(event.body, u"totalBytes")));
  });
}

bool ChromiumBrowser::DeliverFrameMessage(const DevToolsMessage& event, std::u16string& payload) {
  const std::optional<std::uint32_t> frame =
      frameTracker_.FrameOfContext(IntegerMember(event.body, u"executionContextId"));
  if (!frame || frameEvents_ == nullptr) return false;
  frameEvents_->FrameWebMessageReceived(*frame, std::move(payload));
  return true;
}

void ChromiumBrowser::FrameCreated(std::uint32_t frameId, std::u16string_view name) {
  if (frameEvents_ != nullptr && ready_) frameEvents_->FrameCreated(frameId, name);
}
void ChromiumBrowser::FrameNameChanged(std::uint32_t frameId, std::u16string_view name) {
  if (frameEvents_ != nullptr && ready_) frameEvents_->FrameNameChanged(frameId, name);
}
void ChromiumBrowser::FrameNavigationStarting(std::uint32_t frameId, std::uint64_t navigationId,
                                              std::u16string_view uri) {
  if (frameEvents_ != nullptr && ready_) frameEvents_->FrameNavigationStarting(frameId, navigationId, uri);
}
void ChromiumBrowser::FrameContentLoading(std::uint32_t frameId, std::uint64_t navigationId,
                                          bool isErrorPage) {
  if (frameEvents_ != nullptr && ready_)
    frameEvents_->FrameContentLoading(frameId, navigationId, isErrorPage);
}
void ChromiumBrowser::FrameDomContentLoaded(std::uint32_t frameId, std::uint64_t navigationId) {
  if (frameEvents_ != nullptr && ready_) frameEvents_->FrameDomContentLoaded(frameId, navigationId);
}
void ChromiumBrowser::FrameNavigationCompleted(std::uint32_t frameId, std::uint64_t navigationId,
                                               bool isSuccess, COREWEBVIEW2_WEB_ERROR_STATUS webErrorStatus) {
  if (frameEvents_ != nullptr && ready_)
    frameEvents_->FrameNavigationCompleted(frameId, navigationId, isSuccess, webErrorStatus);
}
void ChromiumBrowser::FrameDestroyed(std::uint32_t frameId) {
  if (frameEvents_ != nullptr && ready_) frameEvents_->FrameDestroyed(frameId);
}

}  // namespace velmoran::runtime::chromium
