#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "runtime/chromium/FrameTracker.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::FrameObserver;
using runtime::chromium::FrameTracker;

class FrameLog final : public FrameObserver {
 public:
  void FrameCreated(std::uint32_t id, std::u16string_view name) override {
    lines.push_back("created " + std::to_string(id) + " '" + Utf16ToUtf8(name) + "'");
  }
  void FrameNameChanged(std::uint32_t id, std::u16string_view name) override {
    lines.push_back("name " + std::to_string(id) + " " + Utf16ToUtf8(name));
  }
  void FrameNavigationStarting(std::uint32_t id, std::uint64_t navigation, std::u16string_view uri) override {
    lines.push_back("starting " + std::to_string(id) + "/" + std::to_string(navigation) + " " +
                    Utf16ToUtf8(uri));
  }
  void FrameContentLoading(std::uint32_t id, std::uint64_t navigation, bool isErrorPage) override {
    lines.push_back("content " + std::to_string(id) + "/" + std::to_string(navigation) +
                    (isErrorPage ? " error" : ""));
  }
  void FrameDomContentLoaded(std::uint32_t id, std::uint64_t navigation) override {
    lines.push_back("dom " + std::to_string(id) + "/" + std::to_string(navigation));
  }
  void FrameNavigationCompleted(std::uint32_t id, std::uint64_t navigation, bool isSuccess,
                                COREWEBVIEW2_WEB_ERROR_STATUS status) override {
    lines.push_back("completed " + std::to_string(id) + "/" + std::to_string(navigation) +
                    (isSuccess ? " ok" : " failed " + std::to_string(static_cast<int>(status))));
  }
  void FrameDestroyed(std::uint32_t id) override { lines.push_back("destroyed " + std::to_string(id)); }
  std::vector<std::string> lines;
};

// One step per text, what Chromium reports: "<what> <frame> [more words]"; MAIN is the top document.
void ApplyFrameStep(FrameTracker& tracker, const std::string& step) {
  std::istringstream words(step);
  std::string what, frame, a, b, c;
  words >> what >> frame >> a >> b >> c;
  const std::u16string f = Utf8ToUtf16(frame), wa = Utf8ToUtf16(a), wb = Utf8ToUtf16(b), wc = Utf8ToUtf16(c);
  if (what == "attach") tracker.Attached(f, wa);
  if (what == "start") tracker.StartedNavigating(f, wa, wb);
  // "navigated <frame> <loader> <name or -> <url>"
  if (what == "navigated")
    tracker.Navigated(f, wa, b == "-" ? u"" : wb, wc, c.rfind("chrome-error:", 0) == 0);
  if (what == "lifecycle") tracker.Lifecycle(f, wa, wb);
  if (what == "failed") tracker.LoadingFailed(f, wa);
  if (what == "stopped") tracker.StoppedLoading(f);
  if (what == "detach") tracker.Detached(f);
}

struct FrameTrackerCase {
  const char* name;
  std::vector<std::string> steps;
  std::vector<std::string> expected;
};

class FrameTrackerTest : public testing::TestWithParam<FrameTrackerCase> {};

TEST_P(FrameTrackerTest, RaisesTheFrameEventsInOrder) {
  FrameLog log;
  FrameTracker tracker(log);
  tracker.SetMainFrame(u"MAIN");
  for (const std::string& step : GetParam().steps) ApplyFrameStep(tracker, step);
  EXPECT_EQ(log.lines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameTrackerTest,
    testing::Values(
        FrameTrackerCase{
            "AnIframeLoads",
            {"attach F1 MAIN", "start F1 L1 http://h/inner.html", "navigated F1 L1 menu http://h/inner.html",
             "lifecycle F1 L1 DOMContentLoaded", "lifecycle F1 L1 load"},
            {"created 2 ''", "starting 2/1 http://h/inner.html", "content 2/1", "name 2 menu", "dom 2/1",
             "completed 2/1 ok"}},
        // Chromium does not always report the start of a frame's navigation: the commit starts it.
        FrameTrackerCase{"ACommitWithoutAStart",
                         {"attach F1 MAIN", "navigated F1 L1 - http://h/a.html", "stopped F1"},
                         {"created 2 ''", "starting 2/1 http://h/a.html", "content 2/1", "completed 2/1 ok"}},
        FrameTrackerCase{
            "AFailedDocumentShowsAnErrorPage",
            {"attach F1 MAIN", "start F1 L1 http://nowhere/", "failed L1 net::ERR_NAME_NOT_RESOLVED",
             "navigated F1 L1 - chrome-error://chromewebdata/", "lifecycle F1 L1 DOMContentLoaded",
             "lifecycle F1 L1 load"},
            {"created 2 ''", "starting 2/1 http://nowhere/", "content 2/1 error", "completed 2/1 failed 13"}},
        FrameTrackerCase{"ANewNavigationCancelsTheOneGoing",
                         {"attach F1 MAIN", "start F1 L1 http://h/a", "start F1 L2 http://h/b", "stopped F1"},
                         {"created 2 ''", "starting 2/1 http://h/a", "completed 2/1 failed 14",
                          "starting 2/2 http://h/b", "completed 2/2 ok"}},
        FrameTrackerCase{
            "TheNameChangesWithADocument",
            {"attach F1 MAIN", "navigated F1 L1 first http://h/a", "lifecycle F1 L1 load",
             "navigated F1 L2 first http://h/b", "navigated F1 L3 second http://h/c"},
            {"created 2 ''", "starting 2/1 http://h/a", "content 2/1", "name 2 first", "completed 2/1 ok",
             "starting 2/2 http://h/b", "content 2/2", "completed 2/2 failed 14", "starting 2/3 http://h/c",
             "content 2/3", "name 2 second"}},
        FrameTrackerCase{
            "RemovedFramesAreForgotten",
            {"attach F1 MAIN", "attach F2 MAIN", "detach F1", "navigated F1 L1 - http://h/a", "detach F1"},
            {"created 2 ''", "created 3 ''", "destroyed 2"}},
        // Only the top document's own frames are followed.
        FrameTrackerCase{
            "FramesInsideFramesAreNotFollowed",
            {"attach F1 MAIN", "attach F2 F1", "start F2 L1 http://h/deep", "detach F2", "attach MAIN MAIN"},
            {"created 2 ''"}}),
    CaseName());

TEST(FrameTrackerContexts, AFramesScriptContextIsItsDefaultOneWhileItLasts) {
  FrameLog log;
  FrameTracker tracker(log);
  tracker.SetMainFrame(u"MAIN");
  tracker.Attached(u"F1", u"MAIN");
  tracker.ContextCreated(u"F1", 7, false);
  tracker.ContextCreated(u"F1", 8, true);
  tracker.ContextCreated(u"MAIN", 9, true);

  EXPECT_EQ(tracker.ScriptContext(2), 8);
  EXPECT_EQ(tracker.FrameOfContext(8), 2u);
  EXPECT_EQ(tracker.FrameOfContext(9), std::nullopt);
  tracker.ContextDestroyed(8);
  EXPECT_EQ(tracker.ScriptContext(2), std::nullopt);
  EXPECT_EQ(tracker.ScriptContext(5), std::nullopt);
}

}  // namespace
}  // namespace velmoran::test
