#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "runtime/chromium/DownloadProgress.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::ApplyDownloadProgress;
using runtime::chromium::DownloadStatus;

struct ProgressReport {
  const char16_t* state;
  double received;
  double total;
};

struct DownloadProgressCase {
  const char* name;
  bool cancelRequested;
  std::vector<ProgressReport> reports;
  // What each report raises: "b" bytes, "s" state, "" nothing.
  std::vector<std::string> raised;
  COREWEBVIEW2_DOWNLOAD_STATE state;
  COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON reason;
  std::int64_t received;
  std::int64_t total;
};

class DownloadProgressTest : public testing::TestWithParam<DownloadProgressCase> {};

TEST_P(DownloadProgressTest, FollowsChromiumsReports) {
  DownloadStatus status;
  status.cancelRequested = GetParam().cancelRequested;
  std::vector<std::string> raised;
  for (const ProgressReport& report : GetParam().reports) {
    const auto changes = ApplyDownloadProgress(status, report.state, report.received, report.total);
    raised.push_back(std::string(changes.bytesReceived ? "b" : "") + (changes.state ? "s" : ""));
  }
  EXPECT_EQ(raised, GetParam().raised);
  EXPECT_EQ(status.state, GetParam().state);
  EXPECT_EQ(status.interruptReason, GetParam().reason);
  EXPECT_EQ(status.bytesReceived, GetParam().received);
  EXPECT_EQ(status.totalBytesToReceive, GetParam().total);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Reports, DownloadProgressTest,
    testing::Values(DownloadProgressCase{"RisesThenCompletes",
                                         false,
                                         {{u"inProgress", 0, 3000},
                                          {u"inProgress", 1000, 3000},
                                          {u"inProgress", 1000, 3000},
                                          {u"completed", 3000, 3000}},
                                         {"", "b", "", "bs"},
                                         COREWEBVIEW2_DOWNLOAD_STATE_COMPLETED,
                                         COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_NONE,
                                         3000,
                                         3000},
                    DownloadProgressCase{
                        "CancelledByTheHost",
                        true,
                        {{u"inProgress", 10, 0}, {u"canceled", 10, 0}, {u"completed", 99, 99}},
                        {"b", "s", ""},
                        COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED,
                        COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_USER_CANCELED,
                        10,
                        -1},
                    DownloadProgressCase{"CancelledByChromium",
                                         false,
                                         {{u"canceled", 0, 0}},
                                         {"s"},
                                         COREWEBVIEW2_DOWNLOAD_STATE_INTERRUPTED,
                                         COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_NETWORK_FAILED,
                                         0,
                                         -1},
                    DownloadProgressCase{"CountsThatAreNoCounts",
                                         false,
                                         {{u"inProgress", -5, kNaN}, {u"whatever", 1e300, 12}},
                                         {"", ""},
                                         COREWEBVIEW2_DOWNLOAD_STATE_IN_PROGRESS,
                                         COREWEBVIEW2_DOWNLOAD_INTERRUPT_REASON_NONE,
                                         0,
                                         12}),
    CaseName());

}  // namespace
}  // namespace velmoran::test
