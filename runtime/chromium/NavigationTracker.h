#pragma once

// Turns what Chromium reports about the main frame's loading into the
// navigation events of the published interfaces, one navigation at a time:
//
//   NavigationStarting (may cancel; again with IsRedirected for each redirect)
//   SourceChanged (when the address shown changes) → ContentLoading → HistoryChanged
//   DOMContentLoaded → NavigationCompleted (exactly once per started navigation)
//
// A navigation is known by Chromium's loader id. It completes at its
// document's load, or when loading stops without one after a response or a
// failure of its own (a failure that shows no page, a stop), or when another
// navigation replaces it. A failure's
// error page is loaded as the navigation's own document: it raises
// ContentLoading with IsErrorPage, no DOMContentLoaded, and its load completes
// the navigation as failed.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "webview/abi/WebView2Enums.h"

namespace velmoran::runtime::chromium {

struct NavigationOutcome {
  std::uint64_t navigationId = 0;
  bool isSuccess = false;
  COREWEBVIEW2_WEB_ERROR_STATUS webErrorStatus = COREWEBVIEW2_WEB_ERROR_STATUS_UNKNOWN;
  int httpStatusCode = 0;  // 0 when no HTTP response came
};

class NavigationObserver {
 public:
  // Returns true to cancel the navigation.
  virtual bool NavigationStarting(std::uint64_t navigationId, std::u16string_view uri, bool isRedirected) = 0;
  virtual void SourceChanged(bool isNewDocument) = 0;
  virtual void ContentLoading(std::uint64_t navigationId, bool isErrorPage) = 0;
  virtual void HistoryChanged() = 0;
  virtual void DomContentLoaded(std::uint64_t navigationId) = 0;
  virtual void NavigationCompleted(const NavigationOutcome& outcome) = 0;

 protected:
  ~NavigationObserver() = default;
};

class NavigationTracker {
 public:
  explicit NavigationTracker(NavigationObserver& observer) : observer_(observer) {}

  // The address the webview shows: the last committed document's (for an
  // error page, the address that failed), or a same-document change.
  const std::u16string& Source() const { return source_; }

  // A new document was asked for (Page.frameStartedNavigating). Returns
  // false when the navigation was cancelled: its request must not go on.
  bool Started(std::u16string_view loaderId, std::u16string_view url);
  // The request of `loaderId` was redirected to `url`; false when cancelled.
  bool Redirected(std::u16string_view loaderId, std::u16string_view url);
  // Whether a request of `loaderId` may go on (not cancelled).
  bool MayProceed(std::u16string_view loaderId) const;
  void ResponseReceived(std::u16string_view loaderId, int httpStatusCode);
  void LoadingFailed(std::u16string_view loaderId, std::u16string_view netErrorText);
  // The frame now shows `url` (Page.frameNavigated); `isErrorPage` for Chromium's error page.
  void Committed(std::u16string_view loaderId, std::u16string_view url, bool isErrorPage);
  void DomContentLoaded(std::u16string_view loaderId);
  void Loaded(std::u16string_view loaderId);
  void StoppedLoading();
  // A fragment or history change within the document (Page.navigatedWithinDocument).
  void SameDocument(std::u16string_view url);

 private:
  struct Navigation {
    std::u16string loaderId;
    std::uint64_t id = 0;
    int httpStatusCode = 0;
    std::u16string netError;
    bool committed = false;
    bool errorPage = false;
  };

  bool IsCurrent(std::u16string_view loaderId) const { return current_ && current_->loaderId == loaderId; }
  bool Cancel(std::u16string_view loaderId);
  void Complete();
  void ChangeSource(std::u16string_view url, bool isNewDocument);

  NavigationObserver& observer_;
  std::u16string source_ = u"about:blank";
  std::optional<Navigation> current_;
  std::set<std::u16string, std::less<>> cancelled_;
  std::uint64_t nextId_ = 1;
};

}  // namespace velmoran::runtime::chromium
