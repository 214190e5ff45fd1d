// The page's notifications: on NotificationReceived the control asks the
// arguments and the notification for our own ids, subscribes the
// notification's CloseRequested, and raises OnNotificationCloseRequested when
// the page closes it; a runtime that refuses those ids still has its
// NotificationReceived passed on.

#include <functional>
#include <string>
#include <vector>

#include "runtime/sim/SimNotification.h"
#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"

namespace velmoran::test {
namespace {

using runtime::sim::SimNotification;
using webview::ComPtr;
using webview::TWVBrowserBase;

class BrowserNotificationTest : public BrowserTest {
 protected:
  BrowserNotificationTest() {
    browser->OnNotificationReceived = [this](TWVBrowserBase*, ICoreWebView2*,
                                             ICoreWebView2NotificationReceivedEventArgs* args) {
      received.push_back(args);
    };
    browser->OnNotificationCloseRequested = [this](TWVBrowserBase*, IUnknown* notification, IUnknown* args) {
      closeRequests.push_back(notification);
      EXPECT_EQ(args, nullptr);
    };
  }
  std::vector<ICoreWebView2NotificationReceivedEventArgs*> received;
  std::vector<IUnknown*> closeRequests;
};

TEST_F(BrowserNotificationTest, ThePageClosingItsNotificationRaisesOnNotificationCloseRequested) {
  CreateBrowserNow();
  ComPtr<SimNotification> shown = WebView().ShowNotification(u"http://localhost", u"Saved", u"4 captures");
  EXPECT_TRUE(received.empty());
  Pump();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(shown->Events().Count("CloseRequested"), 1u);

  WebView().CloseNotification(*shown);
  EXPECT_TRUE(closeRequests.empty());  // never inside the close itself
  Pump();
  ASSERT_EQ(closeRequests.size(), 1u);
  EXPECT_EQ(closeRequests[0], static_cast<IUnknown*>(static_cast<ICoreWebView2Notification*>(shown.Get())));
  // A closed notification asks nothing more: the control lets go of it.
  EXPECT_EQ(shown->Events().Count(), 0u);
}

struct RefusedNotification {
  const char* name;
  std::function<void(runtime::sim::SimControllerConfig&)> arrange;
};

const std::vector<RefusedNotification>& RefusedNotifications() {
  static const std::vector<RefusedNotification> cases = {
      {"ArgumentsOfOtherIds",
       [](runtime::sim::SimControllerConfig& c) {
         c.notificationReceivedArgsVersions = {0, {}};
       }},
      {"NotificationOfOtherIds",
       [](runtime::sim::SimControllerConfig& c) {
         c.notificationVersions = {0, {}};
       }},
  };
  return cases;
}

class RefusedNotificationTest : public BrowserNotificationTest,
                                public testing::WithParamInterface<RefusedNotification> {};

TEST_P(RefusedNotificationTest, NotificationReceivedStillArrivesButNothingIsSubscribed) {
  GetParam().arrange(choices);
  CreateBrowserNow();
  ComPtr<SimNotification> shown = WebView().ShowNotification(u"http://localhost", u"Saved", u"");
  Pump();
  EXPECT_EQ(received.size(), 1u);
  EXPECT_EQ(shown->Events().Count(), 0u);
  WebView().CloseNotification(*shown);
  Pump();
  EXPECT_TRUE(closeRequests.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedNotificationTest, testing::ValuesIn(RefusedNotifications()),
                         CaseName());

TEST_F(BrowserNotificationTest, AClosedNotificationAndItsArgumentsAreAllReleased) {
  CreateBrowserNow();
  const std::size_t before = runtime->LiveObjects();
  {
    ComPtr<SimNotification> shown = WebView().ShowNotification(u"http://localhost", u"Saved", u"");
    Pump();
    WebView().CloseNotification(*shown);
    Pump();
  }
  EXPECT_EQ(runtime->LiveObjects(), before);
}

TEST_F(BrowserNotificationTest, AFailedSubscriptionLeavesNothingToRemove) {
  CreateBrowserNow();
  runtime->SetCallResult("add_CloseRequested", E_FAIL);
  ComPtr<SimNotification> shown = WebView().ShowNotification(u"http://localhost", u"Saved", u"");
  Pump();
  EXPECT_EQ(received.size(), 1u);
  EXPECT_EQ(shown->Events().Count(), 0u);
}

TEST_F(BrowserNotificationTest, ClosingTheBrowserRemovesTheNotificationsSubscriptions) {
  CreateBrowserNow();
  ComPtr<SimNotification> first = WebView().ShowNotification(u"http://localhost", u"One", u"");
  ComPtr<SimNotification> second = WebView().ShowNotification(u"http://localhost", u"Two", u"");
  Pump();
  ASSERT_EQ(first->Events().Count(), 1u);
  ASSERT_EQ(second->Events().Count(), 1u);
  browser->CloseBrowser();
  EXPECT_EQ(first->Events().Count(), 0u);
  EXPECT_EQ(second->Events().Count(), 0u);
}

}  // namespace
}  // namespace velmoran::test
