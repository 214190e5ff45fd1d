#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "runtime/chromium/NavigationTracker.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::NavigationObserver;
using runtime::chromium::NavigationOutcome;
using runtime::chromium::NavigationTracker;

// Records the events raised; cancels every navigation to an address holding "cancel".
class Trace final : public NavigationObserver {
 public:
  bool NavigationStarting(std::uint64_t id, std::u16string_view uri, bool isRedirected) override {
    lines.push_back("starting " + std::to_string(id) + " " + Utf16ToUtf8(uri) +
                    (isRedirected ? " redirected" : ""));
    return uri.find(u"cancel") != std::u16string_view::npos;
  }
  void SourceChanged(bool isNewDocument) override {
    lines.push_back(std::string("source ") + (isNewDocument ? "new" : "same"));
  }
  void ContentLoading(std::uint64_t id, bool isErrorPage) override {
    lines.push_back("content " + std::to_string(id) + (isErrorPage ? " error" : ""));
  }
  void HistoryChanged() override { lines.emplace_back("history"); }
  void DomContentLoaded(std::uint64_t id) override { lines.push_back("dom " + std::to_string(id)); }
  void NavigationCompleted(const NavigationOutcome& outcome) override {
    lines.push_back("completed " + std::to_string(outcome.navigationId) +
                    (outcome.isSuccess ? " ok " : " failed ") +
                    std::to_string(static_cast<int>(outcome.webErrorStatus)) + " " +
                    std::to_string(outcome.httpStatusCode));
  }
  std::vector<std::string> lines;
};

// One step per text: "<what> [loader] [value]", what Chromium reports in that order.
void Apply(NavigationTracker& tracker, const std::string& step, std::vector<std::string>& refused) {
  std::istringstream words(step);
  std::string what, loader, value;
  words >> what >> loader >> value;
  const std::u16string l = Utf8ToUtf16(loader), v = Utf8ToUtf16(value);
  if (what == "start") {
    if (!tracker.Started(l, v)) refused.push_back(step);
  } else if (what == "redirect") {
    if (!tracker.Redirected(l, v)) refused.push_back(step);
  } else if (what == "response") {
    tracker.ResponseReceived(l, std::stoi(value));
  } else if (what == "fail") {
    tracker.LoadingFailed(l, v);
  } else if (what == "commit") {
    tracker.Committed(l, v, false);
  } else if (what == "commit-error") {
    tracker.Committed(l, v, true);
  } else if (what == "dom") {
    tracker.DomContentLoaded(l);
  } else if (what == "load") {
    tracker.Loaded(l);
  } else if (what == "stop") {
    tracker.StoppedLoading();
  } else if (what == "same") {
    tracker.SameDocument(Utf8ToUtf16(loader));
  } else {
    FAIL() << "unknown step " << step;
  }
}

struct NavigationCase {
  const char* name;
  std::vector<std::string> steps;
  std::vector<std::string> events;
  std::vector<std::string> refused = {};
};

class NavigationCases : public ::testing::TestWithParam<NavigationCase> {};

TEST_P(NavigationCases, RaiseTheEventsInOrderAndCompleteOnce) {
  Trace trace;
  NavigationTracker tracker(trace);
  std::vector<std::string> refused;
  for (const std::string& step : GetParam().steps) Apply(tracker, step, refused);
  EXPECT_EQ(trace.lines, GetParam().events);
  EXPECT_EQ(refused, GetParam().refused);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, NavigationCases,
    ::testing::Values(
        NavigationCase{
            "PageLoads",
            {"start L1 http://a/", "response L1 200", "commit L1 http://a/", "dom L1", "load L1", "stop"},
            {"starting 1 http://a/", "source new", "content 1", "history", "dom 1", "completed 1 ok 0 200"}},
        NavigationCase{
            "ServerRefusesWithNotFound",
            {"start L1 http://a/x", "response L1 404", "commit L1 http://a/x", "dom L1", "load L1"},
            {"starting 1 http://a/x", "source new", "content 1", "history", "dom 1",
             "completed 1 failed 0 404"}},
        NavigationCase{
            "ConnectionRefusedShowsErrorPage",
            {"start L1 http://a/", "fail L1 net::ERR_CONNECTION_REFUSED", "commit-error L1 http://a/",
             "dom L1", "load L1", "stop"},
            {"starting 1 http://a/", "source new", "content 1 error", "history", "completed 1 failed 12 0"}},
        NavigationCase{
            "FailureWithoutPageCompletesWhenLoadingStops",
            {"start L1 http://a/", "fail L1 net::ERR_NAME_NOT_RESOLVED", "fail L1 net::ERR_ABORTED", "stop"},
            {"starting 1 http://a/", "completed 1 failed 13 0"}},
        NavigationCase{"SameAddressAgainKeepsTheSource",
                       {"start L1 http://a/", "commit L1 http://a/", "load L1", "start L2 http://a/",
                        "commit L2 http://a/", "load L2"},
                       {"starting 1 http://a/", "source new", "content 1", "history", "completed 1 ok 0 0",
                        "starting 2 http://a/", "content 2", "history", "completed 2 ok 0 0"}},
        NavigationCase{"RedirectIsStartedAgainUnderTheSameId",
                       {"start L1 http://a/", "redirect L1 http://b/", "commit L1 http://b/", "load L1"},
                       {"starting 1 http://a/", "starting 1 http://b/ redirected", "source new", "content 1",
                        "history", "completed 1 ok 0 0"}},
        NavigationCase{
            "CancelledAtStart",
            {"start L1 http://cancel/", "fail L1 net::ERR_ABORTED", "commit L1 http://cancel/", "stop"},
            {"starting 1 http://cancel/", "completed 1 failed 14 0"},
            {"start L1 http://cancel/"}},
        NavigationCase{
            "CancelledAtRedirect",
            {"start L1 http://a/", "redirect L1 http://cancel/", "stop"},
            {"starting 1 http://a/", "starting 1 http://cancel/ redirected", "completed 1 failed 14 0"},
            {"redirect L1 http://cancel/"}},
        NavigationCase{"ReplacedByANewerNavigation",
                       {"start L1 http://a/", "start L2 http://b/", "commit L2 http://b/", "load L2"},
                       {"starting 1 http://a/", "completed 1 failed 14 0", "starting 2 http://b/",
                        "source new", "content 2", "history", "completed 2 ok 0 0"}},
        NavigationCase{
            "ReloadOfAFailedPageKeepsTheFailure",
            {"start L1 http://a/", "fail L1 net::ERR_CONNECTION_REFUSED", "commit-error L1 http://a/",
             "start L2 http://a/", "response L2 200", "commit L2 http://a/", "load L2"},
            {"starting 1 http://a/", "source new", "content 1 error", "history", "completed 1 failed 12 0",
             "starting 2 http://a/", "content 2", "history", "completed 2 ok 0 200"}},
        NavigationCase{"RepeatedStartOfTheSameLoaderIsOneNavigation",
                       {"start L1 http://a/", "start L1 http://a/", "commit L1 http://a/", "load L1"},
                       {"starting 1 http://a/", "source new", "content 1", "history", "completed 1 ok 0 0"}},
        NavigationCase{
            "StopBeforeAnyNewsOfTheNavigationIsTheEarlierDocuments",
            {"start L1 http://a/", "stop", "response L1 200", "commit L1 http://a/", "load L1"},
            {"starting 1 http://a/", "source new", "content 1", "history", "completed 1 ok 0 200"}},
        NavigationCase{"StoppedAfterAResponseWithoutDocument",
                       {"start L1 http://a/", "response L1 204", "stop"},
                       {"starting 1 http://a/", "completed 1 failed 14 204"}},
        NavigationCase{"FragmentChangesTheSourceOnly",
                       {"same http://a/#x", "same http://a/#x"},
                       {"source same", "history"}},
        NavigationCase{
            "EventsOfUnknownLoadersChangeNothing", {"dom L9", "load L9", "response L9 500", "stop"}, {}}),
    CaseName());

TEST(NavigationTracker, SourceIsTheCommittedAddress) {
  Trace trace;
  NavigationTracker tracker(trace);
  EXPECT_EQ(tracker.Source(), u"about:blank");
  tracker.Started(u"L1", u"http://a/");
  tracker.LoadingFailed(u"L1", u"net::ERR_CONNECTION_REFUSED");
  tracker.Committed(u"L1", u"http://a/", true);
  EXPECT_EQ(tracker.Source(), u"http://a/");
}

}  // namespace
}  // namespace velmoran::test
