// Downloads on the browser control: DownloadStarting makes the control
// subscribe the download's three events, raised through OnBytesReceivedChanged,
// OnEstimatedEndTimeChanged and OnDownloadStateChanged with the download and
// the control's number for it, until the download has ended (completed, or
// interrupted for good) and before the browser is let go of. A runtime that
// does not know the download's interfaces (ids of our own) is refused safely.

#include <functional>
#include <string>
#include <vector>

#include "runtime/sim/SimDownloadOperation.h"
#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"
#include "webview/browser/TCoreWebView2DownloadOperation.h"

namespace velmoran::test {
namespace {

using runtime::sim::SimDownloadConfig;
using runtime::sim::SimDownloadOperation;
using webview::ComPtr;
using webview::TCoreWebView2DownloadOperation;

class BrowserDownloadsTest : public BrowserTest {
 protected:
  // Each download slot writes "<event> <download id> <bytes received> <state>",
  // read through the application's download wrapper.
  void ListenToDownloads() {
    auto record = [this](const char16_t* event) {
      return [this, event](TWVBrowserBase* sender, IUnknown* operation, std::int32_t id) {
        EXPECT_EQ(sender, browser.get());
        TCoreWebView2DownloadOperation reader(operation, sim.com());
        seen.push_back(std::u16string(event) + u" " + Number(id) + u" " + Number(reader.BytesReceived()) +
                       u" " + Number(reader.State()));
      };
    };
    browser->OnBytesReceivedChanged = record(u"Bytes");
    browser->OnEstimatedEndTimeChanged = record(u"EndTime");
    browser->OnDownloadStateChanged = record(u"State");
  }

  static std::u16string Number(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
  }

  ComPtr<SimDownloadOperation> StartDownload(const SimDownloadConfig& config = {}) {
    ComPtr<SimDownloadOperation> operation = WebView().Page().StartDownload(config);
    Pump();
    return operation;
  }

  std::vector<std::u16string> seen;
};

// --- How a download goes on, and what the application sees ---

struct DownloadCourseCase {
  const char* name;
  std::function<void(SimDownloadOperation&)> course;
  std::vector<std::u16string> expected;
  // Whether the control still follows the download afterwards.
  bool stillSubscribed;
};

class DownloadCourseTest : public BrowserDownloadsTest,
                           public testing::WithParamInterface<DownloadCourseCase> {};

TEST_P(DownloadCourseTest, ArrivesThroughTheDownloadSlots) {
  CreateBrowserNow();
  ListenToDownloads();
  ComPtr<SimDownloadOperation> operation = StartDownload();
  ASSERT_EQ(operation->Events().Count(), 3u);

  GetParam().course(*operation);
  Pump();

  EXPECT_EQ(seen, GetParam().expected);
  EXPECT_EQ(operation->Events().Count(), GetParam().stillSubscribed ? 3u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    DownloadCourses, DownloadCourseTest,
    testing::Values(DownloadCourseCase{"ReceivesInSteps",
                                       [](SimDownloadOperation& download) {
                                         download.Receive(1000);
                                         download.Receive(2000);
                                       },
                                       // Both steps arrive before either event is delivered.
                                       {u"Bytes 1 3000 0", u"Bytes 1 3000 0"},
                                       true},
                    DownloadCourseCase{"NewEstimate",
                                       [](SimDownloadOperation& download) {
                                         download.ChangeEstimatedEndTime(u"2026-12-11T01:00:00Z");
                                       },
                                       {u"EndTime 1 0 0"},
                                       true},
                    DownloadCourseCase{"Completes",
                                       [](SimDownloadOperation& download) { download.Complete(); },
                                       {u"State 1 4096 2"},
                                       false},
                    DownloadCourseCase{"Interrupted",
                                       [](SimDownloadOperation& download) {
                                         download.Interrupt(
                                             COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_NETWORK_FAILED);
                                         // Nothing follows the end.
                                         download.Receive(10);
                                       },
                                       {u"State 1 0 1"},
                                       false},
                    DownloadCourseCase{"CancelledByTheHost",
                                       [](SimDownloadOperation& download) { download.Cancel(); },
                                       {u"State 1 0 1"},
                                       false},
                    // A paused download is interrupted but not over: it may be resumed.
                    DownloadCourseCase{"PausedAndResumed",
                                       [](SimDownloadOperation& download) {
                                         download.Pause();
                                         download.Resume();
                                       },
                                       {u"State 1 0 0", u"State 1 0 0"},
                                       true}),
    CaseName());

TEST_F(BrowserDownloadsTest, EachDownloadHasItsOwnNumber) {
  CreateBrowserNow();
  ListenToDownloads();
  ComPtr<SimDownloadOperation> first = StartDownload();
  ComPtr<SimDownloadOperation> second = StartDownload();

  second->Receive(5);
  Pump();
  first->Complete();
  Pump();

  EXPECT_EQ(seen, (std::vector<std::u16string>{u"Bytes 2 5 0", u"State 1 4096 2"}));
  EXPECT_EQ(second->Events().Count(), 3u);
}

TEST_F(BrowserDownloadsTest, TheApplicationDecidesInDownloadStarting) {
  CreateBrowserNow();
  browser->OnDownloadStarting = [&](TWVBrowserBase*, ICoreWebView2*,
                                    ICoreWebView2DownloadStartingEventArgs* args) {
    // The arguments carry an id of our own: asked for, never called through their type alone.
    ComPtr<ICoreWebView2DownloadStartingEventArgs> starting;
    ASSERT_EQ(args->QueryInterface(IID_ICoreWebView2DownloadStartingEventArgs, starting.PutVoid()), S_OK);
    starting->put_ResultFilePath(u"C:\\velmoran\\downloads\\file.zip");
  };
  ComPtr<SimDownloadOperation> operation = StartDownload();

  TCoreWebView2DownloadOperation reader(static_cast<ICoreWebView2DownloadOperation*>(operation.Get()),
                                        sim.com());
  EXPECT_EQ(reader.ResultFilePath(), u"C:\\velmoran\\downloads\\file.zip");
  EXPECT_EQ(reader.Uri(), SimDownloadConfig{}.uri);
  EXPECT_EQ(reader.MimeType(), SimDownloadConfig{}.mimeType);
  EXPECT_EQ(reader.ContentDisposition(), SimDownloadConfig{}.contentDisposition);
  EXPECT_EQ(reader.TotalBytesToReceive(), SimDownloadConfig{}.totalBytes);
  EXPECT_FALSE(reader.CanResume());
}

TEST_F(BrowserDownloadsTest, ARuntimeRefusingTheDownloadStillRaisesDownloadStarting) {
  choices.downloadVersions = runtime::sim::SimVersionLimit{0, {}};
  CreateBrowserNow();
  ListenToDownloads();
  int starting = 0;
  browser->OnDownloadStarting = [&](TWVBrowserBase*, ICoreWebView2*,
                                    ICoreWebView2DownloadStartingEventArgs*) { ++starting; };
  const std::size_t before = webview::SharedWebViewLoader()->ErrorLog().size();

  ComPtr<SimDownloadOperation> operation = StartDownload();
  operation->Complete();
  Pump();

  EXPECT_EQ(starting, 1);
  EXPECT_EQ(operation->Events().Count(), 0u);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(webview::SharedWebViewLoader()->ErrorLog().size(), before + 1);
}

TEST_F(BrowserDownloadsTest, RunningDownloadsAreLetGoOfBeforeTheBrowser) {
  CreateBrowserNow();
  ComPtr<SimDownloadOperation> operation = StartDownload();

  browser.reset();

  EXPECT_EQ(operation->SubscriptionsAtClose(), 0u);
}

TEST_F(BrowserDownloadsTest, ADownloadWrapperOfNothingAnswersNothing) {
  TCoreWebView2DownloadOperation none(nullptr, sim.com());
  EXPECT_FALSE(none.Initialized());
  EXPECT_EQ(none.Uri(), u"");
  EXPECT_EQ(none.BytesReceived(), 0);
  EXPECT_FALSE(none.Cancel());
  EXPECT_FALSE(none.AddAllBrowserEvents(browser.get()));
}

}  // namespace
}  // namespace velmoran::test
