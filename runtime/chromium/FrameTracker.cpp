#include "runtime/chromium/FrameTracker.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "runtime/chromium/WebErrorStatus.h"

namespace velmoran::runtime::chromium {

FrameTracker::Frame* FrameTracker::Find(std::u16string_view chromiumFrameId) {
  const auto found = std::find_if(frames_.begin(), frames_.end(),
                                  [&](const auto& frame) { return frame->chromiumId == chromiumFrameId; });
  return found != frames_.end() ? found->get() : nullptr;
}

const FrameTracker::Frame* FrameTracker::Find(std::uint32_t frameId) const {
  const auto found =
      std::find_if(frames_.begin(), frames_.end(), [&](const auto& frame) { return frame->id == frameId; });
  return found != frames_.end() ? found->get() : nullptr;
}

void FrameTracker::Attached(std::u16string_view chromiumFrameId, std::u16string_view parentFrameId) {
  if (mainFrame_.empty() || parentFrameId != mainFrame_ || chromiumFrameId.empty() ||
      chromiumFrameId == mainFrame_ || Find(chromiumFrameId) != nullptr)
    return;
  auto frame = std::make_unique<Frame>();
  frame->chromiumId = std::u16string(chromiumFrameId);
  frame->id = nextFrameId_++;
  const std::uint32_t frameId = frame->id;
  frames_.push_back(std::move(frame));
  observer_.FrameCreated(frameId, u"");
}

FrameTracker::Navigation& FrameTracker::NavigationOf(Frame& frame, std::u16string_view loaderId,
                                                     std::u16string_view url) {
  if (!frame.navigation || frame.navigation->loaderId != loaderId) {
    // A navigation that was still going is replaced, as the page does: it completes as cancelled first.
    if (frame.navigation && !frame.navigation->completed)
      Complete(frame, false, COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED);
    Navigation navigation;
    navigation.loaderId = std::u16string(loaderId);
    navigation.id = nextNavigationId_++;
    frame.navigation = navigation;
    const std::uint32_t frameId = frame.id;
    observer_.FrameNavigationStarting(frameId, navigation.id, url);
  }
  return *frame.navigation;
}

void FrameTracker::StartedNavigating(std::u16string_view chromiumFrameId, std::u16string_view loaderId,
                                     std::u16string_view url) {
  if (Frame* frame = Find(chromiumFrameId)) NavigationOf(*frame, loaderId, url);
}

void FrameTracker::Navigated(std::u16string_view chromiumFrameId, std::u16string_view loaderId,
                             std::u16string_view name, std::u16string_view url, bool isErrorPage) {
  Frame* frame = Find(chromiumFrameId);
  if (frame == nullptr) return;
  const std::uint32_t frameId = frame->id;
  Navigation& navigation = NavigationOf(*frame, loaderId, url);
  if (!navigation.completed && !navigation.contentLoading) {
    navigation.contentLoading = true;
    observer_.FrameContentLoading(frameId, navigation.id, isErrorPage);
  }
  // Looked up again: a handler may have changed what the tracker holds.
  frame = Find(chromiumFrameId);
  if (frame != nullptr && frame->name != name) {
    frame->name = std::u16string(name);
    observer_.FrameNameChanged(frameId, name);
  }
}

void FrameTracker::Lifecycle(std::u16string_view chromiumFrameId, std::u16string_view loaderId,
                             std::u16string_view name) {
  Frame* frame = Find(chromiumFrameId);
  if (frame == nullptr || !frame->navigation || frame->navigation->loaderId != loaderId ||
      frame->navigation->completed)
    return;
  Navigation& navigation = *frame->navigation;
  if (name == u"DOMContentLoaded" && !navigation.domContentLoaded &&
      navigation.failure == COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN) {
    navigation.domContentLoaded = true;
    observer_.FrameDomContentLoaded(frame->id, navigation.id);
  } else if (name == u"load") {
    Complete(*frame, navigation.failure == COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN, navigation.failure);
  }
}

void FrameTracker::LoadingFailed(std::u16string_view loaderId, std::u16string_view errorText) {
  for (const auto& frame : frames_) {
    if (!frame->navigation || frame->navigation->loaderId != loaderId || frame->navigation->completed)
      continue;
    const COREWEBVIEW2_WEB_ERROR_STATUS status = WebErrorStatusFromNetError(errorText);
    frame->navigation->failure = status == COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN
                                     ? COREWEBVIEW2_WEB_ERROR_STATUS_UNEXPECTED_ERROR
                                     : status;
    // A failure that shows no page ends here; one with an error page ends at that page's load.
    return;
  }
}

void FrameTracker::StoppedLoading(std::u16string_view chromiumFrameId) {
  Frame* frame = Find(chromiumFrameId);
  if (frame == nullptr || !frame->navigation || frame->navigation->completed) return;
  Complete(*frame, frame->navigation->failure == COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN,
           frame->navigation->failure);
}

void FrameTracker::Complete(Frame& frame, bool isSuccess, COREWEBVIEW2_WEB_ERROR_STATUS status) {
  frame.navigation->completed = true;
  observer_.FrameNavigationCompleted(frame.id, frame.navigation->id, isSuccess,
                                     isSuccess ? COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN : status);
}

void FrameTracker::Detached(std::u16string_view chromiumFrameId) {
  const auto found = std::find_if(frames_.begin(), frames_.end(),
                                  [&](const auto& frame) { return frame->chromiumId == chromiumFrameId; });
  if (found == frames_.end()) return;
  const std::uint32_t frameId = (*found)->id;
  frames_.erase(found);
  observer_.FrameDestroyed(frameId);
}

void FrameTracker::ContextCreated(std::u16string_view chromiumFrameId, std::int64_t contextId,
                                  bool isDefault) {
  Frame* frame = Find(chromiumFrameId);
  if (frame != nullptr && isDefault) frame->context = contextId;
}

void FrameTracker::ContextDestroyed(std::int64_t contextId) {
  for (const auto& frame : frames_) {
    if (frame->context == contextId) frame->context.reset();
  }
}

std::u16string FrameTracker::Name(std::uint32_t frameId) const {
  const Frame* frame = Find(frameId);
  return frame != nullptr ? frame->name : std::u16string();
}

std::optional<std::int64_t> FrameTracker::ScriptContext(std::uint32_t frameId) const {
  const Frame* frame = Find(frameId);
  return frame != nullptr ? frame->context : std::nullopt;
}

std::optional<std::uint32_t> FrameTracker::FrameOfContext(std::int64_t contextId) const {
  for (const auto& frame : frames_) {
    if (frame->context == contextId) return frame->id;
  }
  return std::nullopt;
}

}  // namespace velmoran::runtime::chromium
