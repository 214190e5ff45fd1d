#pragma once

// Turns what Chromium reports about the frames inside the page into the frame
// events of the runtime's interfaces. Only the iframes of the top document are
// followed (the published FrameCreated is the top page's); frames inside them,
// and frames Chromium runs in a renderer of their own (another site's), are
// not seen here. Each followed frame gets a number of the runtime's own (the
// top document is 1), its name is the one Chromium reports with the frame's
// documents, and its navigations go, one at a time:
//
//   NavigationStarting → ContentLoading → DOMContentLoaded → NavigationCompleted
//
// a navigation completing at its document's load, when the frame stops
// loading, or as failed when its document's request failed. Chromium knows a
// frame's name only once the frame has a document: FrameCreated comes with the
// name known then (often none) and NameChanged follows when a document shows a
// new one. A frame taken out of the page is Destroyed, and forgotten.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "webview/abi/WebView2Enums.h"

namespace velmoran::runtime::chromium {

class FrameObserver {
 public:
  virtual void FrameCreated(std::uint32_t frameId, std::u16string_view name) = 0;
  virtual void FrameNameChanged(std::uint32_t frameId, std::u16string_view name) = 0;
  virtual void FrameNavigationStarting(std::uint32_t frameId, std::uint64_t navigationId,
                                       std::u16string_view uri) = 0;
  virtual void FrameContentLoading(std::uint32_t frameId, std::uint64_t navigationId, bool isErrorPage) = 0;
  virtual void FrameDomContentLoaded(std::uint32_t frameId, std::uint64_t navigationId) = 0;
  virtual void FrameNavigationCompleted(std::uint32_t frameId, std::uint64_t navigationId, bool isSuccess,
                                        COREWEBVIEW2_WEB_ERROR_STATUS webErrorStatus) = 0;
  virtual void FrameDestroyed(std::uint32_t frameId) = 0;

 protected:
  ~FrameObserver() = default;
};

class FrameTracker {
 public:
  explicit FrameTracker(FrameObserver& observer) : observer_(observer) {}

  // The top document's frame id (the page's target id); frames are its children.
  void SetMainFrame(std::u16string_view chromiumFrameId) { mainFrame_ = std::u16string(chromiumFrameId); }

  // --- What Chromium reports (Page and Runtime events of the page session) ---
  void Attached(std::u16string_view chromiumFrameId, std::u16string_view parentFrameId);
  void StartedNavigating(std::u16string_view chromiumFrameId, std::u16string_view loaderId,
                         std::u16string_view url);
  void Navigated(std::u16string_view chromiumFrameId, std::u16string_view loaderId, std::u16string_view name,
                 std::u16string_view url, bool isErrorPage);
  void Lifecycle(std::u16string_view chromiumFrameId, std::u16string_view loaderId, std::u16string_view name);
  // A document request failed; a document's request id is its loader's id.
  void LoadingFailed(std::u16string_view loaderId, std::u16string_view errorText);
  void StoppedLoading(std::u16string_view chromiumFrameId);
  void Detached(std::u16string_view chromiumFrameId);
  void ContextCreated(std::u16string_view chromiumFrameId, std::int64_t contextId, bool isDefault);
  void ContextDestroyed(std::int64_t contextId);
  // The page's session went away: every frame is gone without a word.
  void Forget() { frames_.clear(); }

  // --- Looking frames up ---
  bool Knows(std::uint32_t frameId) const { return Find(frameId) != nullptr; }
  std::u16string Name(std::uint32_t frameId) const;
  // The frame's main script context, while its document has one.
  std::optional<std::int64_t> ScriptContext(std::uint32_t frameId) const;
  // The frame whose script runs in `contextId`, when it is one of the followed frames.
  std::optional<std::uint32_t> FrameOfContext(std::int64_t contextId) const;

 private:
  struct Navigation {
    std::u16string loaderId;
    std::uint64_t id = 0;
    bool contentLoading = false;
    bool domContentLoaded = false;
    bool completed = false;
    COREWEBVIEW2_WEB_ERROR_STATUS failure = COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN;
  };
  struct Frame {
    std::u16string chromiumId;
    std::uint32_t id = 0;
    std::u16string name;
    std::optional<Navigation> navigation;
    std::optional<std::int64_t> context;
  };

  Frame* Find(std::u16string_view chromiumFrameId);
  const Frame* Find(std::uint32_t frameId) const;
  // The frame's current navigation for `loaderId`, started now when Chromium reported no start.
  Navigation& NavigationOf(Frame& frame, std::u16string_view loaderId, std::u16string_view url);
  void Complete(Frame& frame, bool isSuccess, COREWEBVIEW2_WEB_ERROR_STATUS status);

  FrameObserver& observer_;
  std::u16string mainFrame_;
  // Held by pointer: an observer's handler may add or take out frames while one is being worked on.
  std::vector<std::unique_ptr<Frame>> frames_;
  std::uint32_t nextFrameId_ = 2;
  std::uint64_t nextNavigationId_ = 1;
};

}  // namespace velmoran::runtime::chromium
