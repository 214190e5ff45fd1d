#include "runtime/chromium/NavigationTracker.h"

#include "runtime/chromium/WebErrorStatus.h"

namespace velmoran::runtime::chromium {

bool NavigationTracker::Started(std::u16string_view loaderId, std::u16string_view url) {
  if (IsCurrent(loaderId)) return true;
  if (cancelled_.count(loaderId) > 0) return false;
  // Only one navigation of the main frame runs at a time: a new one ends the one before.
  if (current_) {
    // A failure already seen stays the cause: Chromium reloads a failed page
    // by itself, and that reload must not turn the failure into a cancel.
    if (current_->netError.empty()) current_->netError = u"net::ERR_ABORTED";
    Complete();
  }
  current_ = Navigation{std::u16string(loaderId), nextId_++, 0, {}, false, false};
  if (observer_.NavigationStarting(current_->id, url, false)) return Cancel(loaderId);
  return true;
}

bool NavigationTracker::Redirected(std::u16string_view loaderId, std::u16string_view url) {
  if (!IsCurrent(loaderId)) return MayProceed(loaderId);
  if (observer_.NavigationStarting(current_->id, url, true)) return Cancel(loaderId);
  return true;
}

bool NavigationTracker::MayProceed(std::u16string_view loaderId) const {
  return cancelled_.count(loaderId) == 0;
}

bool NavigationTracker::Cancel(std::u16string_view loaderId) {
  cancelled_.emplace(loaderId);
  current_->netError = u"net::ERR_ABORTED";
  Complete();
  return false;
}

void NavigationTracker::ResponseReceived(std::u16string_view loaderId, int httpStatusCode) {
  if (IsCurrent(loaderId)) current_->httpStatusCode = httpStatusCode;
}

void NavigationTracker::LoadingFailed(std::u16string_view loaderId, std::u16string_view netErrorText) {
  // The first failure is the cause; an abort that follows it is only its consequence.
  if (IsCurrent(loaderId) && current_->netError.empty()) current_->netError = std::u16string(netErrorText);
}

void NavigationTracker::Committed(std::u16string_view loaderId, std::u16string_view url, bool isErrorPage) {
  if (cancelled_.count(loaderId) > 0) return;
  ChangeSource(url, true);
  if (!IsCurrent(loaderId)) return;
  current_->committed = true;
  current_->errorPage = isErrorPage;
  observer_.ContentLoading(current_->id, isErrorPage);
  observer_.HistoryChanged();
}

void NavigationTracker::DomContentLoaded(std::u16string_view loaderId) {
  if (IsCurrent(loaderId) && current_->committed && !current_->errorPage)
    observer_.DomContentLoaded(current_->id);
}

void NavigationTracker::Loaded(std::u16string_view loaderId) {
  if (IsCurrent(loaderId) && current_->committed) Complete();
}

void NavigationTracker::StoppedLoading() {
  // The report names no loader. One that comes before anything else of the
  // current navigation is the end of the document before it (Chromium reports
  // the earlier document's stop as the next navigation begins), not this one's.
  if (current_ && (current_->committed || current_->httpStatusCode != 0 || !current_->netError.empty()))
    Complete();
}

void NavigationTracker::SameDocument(std::u16string_view url) {
  if (url == source_) return;
  ChangeSource(url, false);
  observer_.HistoryChanged();
}

void NavigationTracker::ChangeSource(std::u16string_view url, bool isNewDocument) {
  if (url == source_) return;
  source_ = std::u16string(url);
  observer_.SourceChanged(isNewDocument);
}

void NavigationTracker::Complete() {
  const Navigation navigation = std::move(*current_);
  current_.reset();
  NavigationOutcome outcome;
  outcome.navigationId = navigation.id;
  outcome.httpStatusCode = navigation.httpStatusCode;
  if (!navigation.netError.empty()) {
    outcome.webErrorStatus = WebErrorStatusFromNetError(navigation.netError);
  } else if (navigation.errorPage) {
    outcome.webErrorStatus = COREWEBVIEW2_WEB_ERROR_STATUS_UNEXPECTED_ERROR;
  } else if (navigation.httpStatusCode >= 400) {
    outcome.webErrorStatus = WebErrorStatusFromHttpStatus(navigation.httpStatusCode);
  } else if (!navigation.committed) {
    // Loading stopped before any document came: the navigation was given up.
    outcome.webErrorStatus = COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED;
  } else {
    outcome.isSuccess = true;
  }
  observer_.NavigationCompleted(outcome);
}

}  // namespace velmoran::runtime::chromium
