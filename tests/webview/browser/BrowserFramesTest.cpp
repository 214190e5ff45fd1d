// The page's frames on the browser control: FrameCreated makes the control
// wrap the frame and subscribe its events, which arrive through the frame
// event slots with the frame and the runtime's id of it; a destroyed frame's
// subscriptions go, and all of them go before the browser is let go of. A
// runtime that does not know the frame's interfaces (ids of our own) is
// refused safely: FrameCreated is still raised, nothing is subscribed.

#include <functional>
#include <string>
#include <vector>

#include "runtime/sim/SimFrame.h"
#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/browser/TCoreWebView2Frame.h"

namespace velmoran::test {
namespace {

using runtime::sim::SimFrame;
using webview::ComPtr;
using webview::CoTaskMemText;
using webview::SharedWebViewLoader;
using webview::TCoreWebView2Frame;

// Frame 1 is the top document, so the first child frame is 2.
constexpr std::uint32_t kFirstFrameID = 2;

class BrowserFramesTest : public BrowserTest {
 protected:
  // Every frame slot writes "<event> <frame id>", and for a navigation its address.
  void ListenToFrames() {
    browser->OnFrameCreated = [this](TWVBrowserBase*, ICoreWebView2*, ICoreWebView2FrameCreatedEventArgs*) {
      seen.push_back(u"Created");
    };
    browser->OnFrameNameChanged = [this](TWVBrowserBase*, IUnknown* frame, std::uint32_t id) {
      TCoreWebView2Frame reader(frame, sim.com());
      seen.push_back(u"NameChanged " + Number(id) + u" " + reader.Name());
    };
    browser->OnFrameDestroyed = [this](TWVBrowserBase*, IUnknown*, std::uint32_t id) {
      seen.push_back(u"Destroyed " + Number(id));
    };
    browser->OnFrameNavigationStarting2 =
        [this](TWVBrowserBase*, IUnknown*, ICoreWebView2NavigationStartingEventArgs* args, std::uint32_t id) {
          CoTaskMemText uri(sim.com());
          args->get_Uri(uri.Put());
          seen.push_back(u"NavigationStarting " + Number(id) + u" " + uri.ToU16String());
        };
    browser->OnFrameContentLoading = [this](TWVBrowserBase*, IUnknown*, ICoreWebView2ContentLoadingEventArgs*,
                                            std::uint32_t id) {
      seen.push_back(u"ContentLoading " + Number(id));
    };
    browser->OnFrameDOMContentLoaded = [this](TWVBrowserBase*, IUnknown*,
                                              ICoreWebView2DOMContentLoadedEventArgs*, std::uint32_t id) {
      seen.push_back(u"DOMContentLoaded " + Number(id));
    };
    browser->OnFrameNavigationCompleted2 = [this](TWVBrowserBase*, IUnknown*,
                                                  ICoreWebView2NavigationCompletedEventArgs* args,
                                                  std::uint32_t id) {
      BOOL success = FALSE;
      args->get_IsSuccess(&success);
      seen.push_back(u"NavigationCompleted " + Number(id) + (success != FALSE ? u" ok" : u" failed"));
    };
    browser->OnFrameWebMessageReceived =
        [this](TWVBrowserBase*, IUnknown*, ICoreWebView2WebMessageReceivedEventArgs* args, std::uint32_t id) {
          CoTaskMemText json(sim.com());
          args->get_WebMessageAsJson(json.Put());
          seen.push_back(u"WebMessageReceived " + Number(id) + u" " + json.ToU16String());
        };
  }

  static std::u16string Number(std::uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
  }

  ComPtr<SimFrame> AddFrame(std::u16string name) {
    ComPtr<SimFrame> frame = WebView().Page().AddFrame(std::move(name));
    Pump();
    return frame;
  }

  std::vector<std::u16string> seen;
};

// --- What the page does with a frame, and what the application sees ---

struct FrameActionCase {
  const char* name;
  std::function<void(SimFrame&)> action;
  std::vector<std::u16string> expected;
};

class FrameActionTest : public BrowserFramesTest, public testing::WithParamInterface<FrameActionCase> {};

TEST_P(FrameActionTest, ArrivesThroughTheFrameSlotsWithTheFramesID) {
  CreateBrowserNow();
  ListenToFrames();
  ComPtr<SimFrame> frame = AddFrame(u"child");
  ASSERT_EQ(frame->Id(), kFirstFrameID);
  seen.clear();

  GetParam().action(*frame);
  Pump();

  EXPECT_EQ(seen, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    FrameActions, FrameActionTest,
    testing::Values(
        FrameActionCase{"Renamed", [](SimFrame& frame) { frame.Rename(u"menu"); }, {u"NameChanged 2 menu"}},
        FrameActionCase{"Navigated",
                        [](SimFrame& frame) { frame.Navigate(u"http://localhost/www/frames/inner.html"); },
                        {u"NavigationStarting 2 http://localhost/www/frames/inner.html", u"ContentLoading 2",
                         u"DOMContentLoaded 2", u"NavigationCompleted 2 ok"}},
        FrameActionCase{"NavigationFailed",
                        [](SimFrame& frame) { frame.Navigate(u"http://localhost/missing", false); },
                        {u"NavigationStarting 2 http://localhost/missing", u"ContentLoading 2",
                         u"NavigationCompleted 2 failed"}},
        FrameActionCase{"PostedAMessage",
                        [](SimFrame& frame) { frame.PostMessageToHost(u"{\"a\":1}"); },
                        {u"WebMessageReceived 2 {\"a\":1}"}},
        FrameActionCase{"Removed",
                        [](SimFrame& frame) {
                          frame.Remove();
                          // Gone for good: nothing after its end reaches the application.
                          frame.Rename(u"late");
                        },
                        {u"Destroyed 2"}}),
    CaseName());

TEST_F(BrowserFramesTest, TheApplicationGetsTheFrameItselfBeforeItsEvents) {
  CreateBrowserNow();
  IUnknown* renamed = nullptr;
  browser->OnFrameNameChanged = [&](TWVBrowserBase* sender, IUnknown* frame, std::uint32_t) {
    EXPECT_EQ(sender, browser.get());
    renamed = frame;
  };
  ComPtr<SimFrame> frame = AddFrame(u"child");
  frame->Rename(u"other");
  Pump();
  EXPECT_EQ(renamed, static_cast<ICoreWebView2Frame*>(frame.Get()));
}

TEST_F(BrowserFramesTest, ADestroyedFramesSubscriptionsAreRemoved) {
  CreateBrowserNow();
  ComPtr<SimFrame> first = AddFrame(u"first");
  ComPtr<SimFrame> second = AddFrame(u"second");
  EXPECT_EQ(first->Events().Count(), 9u);
  EXPECT_EQ(second->Events().Count(), 9u);

  first->Remove();
  Pump();

  EXPECT_EQ(first->Events().Count(), 0u);
  EXPECT_EQ(second->Events().Count(), 9u);
}

TEST_F(BrowserFramesTest, EveryFrameIsLetGoOfBeforeTheBrowser) {
  CreateBrowserNow();
  ComPtr<SimFrame> first = AddFrame(u"first");
  ComPtr<SimFrame> second = AddFrame(u"second");

  browser.reset();

  EXPECT_EQ(first->SubscriptionsAtClose(), 0u);
  EXPECT_EQ(second->SubscriptionsAtClose(), 0u);
}

// --- How far the runtime's frame goes ---

struct FrameVersionCase {
  const char* name;
  std::uint32_t highest;
  std::size_t subscriptions;
  // What OnFrameNameChanged reports: the runtime's id, or 0 when the frame cannot tell it.
  std::uint32_t reportedID;
};

class FrameVersionTest : public BrowserFramesTest, public testing::WithParamInterface<FrameVersionCase> {};

TEST_P(FrameVersionTest, SubscribesWhatTheFrameCarriesAndStillRaisesFrameCreated) {
  choices.frameVersions = runtime::sim::SimVersionLimit{GetParam().highest, {}};
  CreateBrowserNow();
  int created = 0;
  std::vector<std::uint32_t> renamed;
  browser->OnFrameCreated = [&](TWVBrowserBase*, ICoreWebView2*, ICoreWebView2FrameCreatedEventArgs* args) {
    EXPECT_NE(args, nullptr);
    ++created;
  };
  browser->OnFrameNameChanged = [&](TWVBrowserBase*, IUnknown*, std::uint32_t id) { renamed.push_back(id); };

  ComPtr<SimFrame> frame = AddFrame(u"child");
  frame->Rename(u"renamed");
  Pump();

  EXPECT_EQ(created, 1);
  EXPECT_EQ(frame->Events().Count(), GetParam().subscriptions);
  if (GetParam().subscriptions == 0) {
    EXPECT_TRUE(renamed.empty());
  } else {
    EXPECT_EQ(renamed, std::vector<std::uint32_t>{GetParam().reportedID});
  }
}

INSTANTIATE_TEST_SUITE_P(FrameVersions, FrameVersionTest,
                         testing::Values(FrameVersionCase{"PublishedIdsOnly", 0, 0, 0},
                                         FrameVersionCase{"Frame1", 1, 2, 0},
                                         FrameVersionCase{"Frame2", 2, 7, 0},
                                         FrameVersionCase{"Frame3", 3, 8, 0},
                                         FrameVersionCase{"Frame5", 5, 8, kFirstFrameID},
                                         FrameVersionCase{"Frame6", 6, 9, kFirstFrameID}),
                         CaseName());

TEST_F(BrowserFramesTest, ARuntimeRefusingTheFrameLeavesALineInTheLoadersLog) {
  choices.frameVersions = runtime::sim::SimVersionLimit{0, {}};
  CreateBrowserNow();
  const std::size_t before = SharedWebViewLoader()->ErrorLog().size();
  AddFrame(u"child");
  EXPECT_EQ(SharedWebViewLoader()->ErrorLog().size(), before + 1);
}

TEST_F(BrowserFramesTest, AFrameCreatedWithoutItsFrameIsRaisedAndLogged) {
  CreateBrowserNow();
  runtime->SetCallResult("get_Frame", E_UNEXPECTED);
  int created = 0;
  browser->OnFrameCreated = [&](TWVBrowserBase*, ICoreWebView2*, ICoreWebView2FrameCreatedEventArgs*) {
    ++created;
  };
  const std::size_t before = SharedWebViewLoader()->ErrorLog().size();

  ComPtr<SimFrame> frame = AddFrame(u"child");

  EXPECT_EQ(created, 1);
  EXPECT_EQ(frame->Events().Count(), 0u);
  ASSERT_EQ(SharedWebViewLoader()->ErrorLog().size(), before + 1);
  EXPECT_NE(SharedWebViewLoader()->ErrorLog().back().find(u"FrameCreated brought no frame."),
            std::u16string::npos);
}

// --- The frame wrapper in the application's hands ---

TEST_F(BrowserFramesTest, TheFrameWrapperPostsAndRunsScriptsInTheFrame) {
  CreateBrowserNow();
  std::vector<std::int32_t> completions;
  browser->OnExecuteScriptCompleted = [&](TWVBrowserBase*, HRESULT, const std::u16string&, std::int32_t id) {
    completions.push_back(id);
  };
  ComPtr<SimFrame> frame = AddFrame(u"child");
  TCoreWebView2Frame reader(static_cast<ICoreWebView2Frame*>(frame.Get()), sim.com());

  EXPECT_EQ(reader.Name(), u"child");
  EXPECT_EQ(reader.FrameID(), kFirstFrameID);
  EXPECT_FALSE(reader.IsDestroyed());
  EXPECT_TRUE(reader.PostWebMessageAsString(u"hi"));
  EXPECT_TRUE(reader.PostWebMessageAsJson(u"{\"b\":2}"));
  EXPECT_TRUE(reader.ExecuteScript(u"1+1", browser.get(), 7));
  Pump();

  EXPECT_EQ(frame->MessagesToFrame(), (std::vector<std::u16string>{u"\"hi\"", u"{\"b\":2}"}));
  EXPECT_EQ(frame->ExecutedScripts(), std::vector<std::u16string>{u"1+1"});
  EXPECT_EQ(completions, std::vector<std::int32_t>{7});
}

TEST_F(BrowserFramesTest, AFrameWrapperOfNothingAnswersNothing) {
  TCoreWebView2Frame none(nullptr, sim.com());
  EXPECT_FALSE(none.Initialized());
  EXPECT_EQ(none.Name(), u"");
  EXPECT_EQ(none.FrameID(), 0u);
  EXPECT_TRUE(none.IsDestroyed());
  EXPECT_FALSE(none.PostWebMessageAsJson(u"{}"));
  EXPECT_FALSE(none.AddAllBrowserEvents(browser.get()));
}

}  // namespace
}  // namespace velmoran::test
