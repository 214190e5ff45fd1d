// The family of operations on the live browser: nothing before the browser is
// Initialized, then one runtime call each with its answer passed on.

#include <functional>
#include <string>
#include <vector>

#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"

namespace velmoran::test {
namespace {

using webview::TWVBrowserBase;

using platform::Rect;

struct Operation {
  const char* name;
  std::function<bool(TWVBrowserBase&)> call;  // true when the control says it did something
};

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"Navigate", [](TWVBrowserBase& b) { return b.Navigate(u"http://127.0.0.1/"); }},
      {"ExecuteScript", [](TWVBrowserBase& b) { return b.ExecuteScript(u"1", 0); }},
      {"SetBounds",
       [](TWVBrowserBase& b) {
         return b.SetBounds(Rect{0, 0, 10, 10});
       }},
      {"SetIsVisible", [](TWVBrowserBase& b) { return b.SetIsVisible(false); }},
      {"IsVisible", [](TWVBrowserBase& b) { return b.IsVisible(); }},
      {"SetParentWindow", [](TWVBrowserBase& b) { return b.SetParentWindow(0); }},
      {"ParentWindow", [](TWVBrowserBase& b) { return b.ParentWindow() != 0; }},
      {"SetFocus", [](TWVBrowserBase& b) { return b.SetFocus(); }},
      {"FocusNext", [](TWVBrowserBase& b) { return b.FocusNext(); }},
      {"SetZoomFactor", [](TWVBrowserBase& b) { return b.SetZoomFactor(1.5); }},
      {"ZoomFactor", [](TWVBrowserBase& b) { return b.ZoomFactor() != 0.0; }},
      {"IncZoomStep", [](TWVBrowserBase& b) { return b.IncZoomStep(); }},
      {"ScriptEnabled", [](TWVBrowserBase& b) { return b.ScriptEnabled(); }},
      {"WebMessageEnabled", [](TWVBrowserBase& b) { return b.WebMessageEnabled(); }},
      {"SetIsMuted", [](TWVBrowserBase& b) { return b.SetIsMuted(true); }},
      {"PostWebMessageAsJson", [](TWVBrowserBase& b) { return b.PostWebMessageAsJson(u"{}"); }},
      {"RetrieveHTML", [](TWVBrowserBase& b) { return b.RetrieveHTML(); }},
  };
  return operations;
}

class BrowserOperationsTest : public BrowserTest, public testing::WithParamInterface<Operation> {};

TEST_P(BrowserOperationsTest, DoesNothingBeforeInitializedAndActsAfter) {
  StartRuntime();
  EXPECT_FALSE(GetParam().call(*browser));
  ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
  EXPECT_FALSE(GetParam().call(*browser));  // requested, not yet created
  Pump();
  ASSERT_TRUE(browser->Initialized());
  EXPECT_TRUE(GetParam().call(*browser));
}

INSTANTIATE_TEST_SUITE_P(Family, BrowserOperationsTest, testing::ValuesIn(Operations()), CaseName());

TEST_F(BrowserTest, OperationsReachTheRuntimeWithTheirArguments) {
  CreateBrowserNow();
  EXPECT_TRUE(browser->SetBounds(Rect{1, 2, 300, 400}));
  EXPECT_EQ(browser->Bounds(), (Rect{1, 2, 300, 400}));
  EXPECT_TRUE(browser->FocusNext());
  EXPECT_TRUE(browser->FocusPrevious());
  EXPECT_EQ(Controller().MoveFocusReasons(),
            (std::vector<COREWEBVIEW2_MOVE_FOCUS_REASON>{COREWEBVIEW2_MOVE_FOCUS_REASON_NEXT,
                                                         COREWEBVIEW2_MOVE_FOCUS_REASON_PREVIOUS}));
  EXPECT_TRUE(browser->PostWebMessageAsString(u"hi"));
  EXPECT_EQ(WebView().MessagesToPage(), std::vector<std::u16string>{u"\"hi\""});
  EXPECT_TRUE(browser->SetIsMuted(true));
  EXPECT_TRUE(browser->IsMuted());
  EXPECT_TRUE(browser->ToggleMuteState());
  EXPECT_FALSE(browser->IsMuted());
  EXPECT_EQ(browser->ParentWindow(), host.Handle());
}

TEST_F(BrowserTest, ZoomStepsWalkThePresets) {
  CreateBrowserNow();
  EXPECT_TRUE(browser->IncZoomStep());
  EXPECT_DOUBLE_EQ(browser->ZoomFactor(), 1.10);
  EXPECT_TRUE(browser->ResetZoom());
  EXPECT_DOUBLE_EQ(browser->ZoomFactor(), 1.0);
  // The step follows the runtime's report of the new factor.
  EXPECT_TRUE(browser->SetZoomFactor(2.4));
  EXPECT_EQ(browser->HandleZoomFactorChanged(nullptr, nullptr), S_OK);
  EXPECT_TRUE(browser->DecZoomStep());
  EXPECT_DOUBLE_EQ(browser->ZoomFactor(), 2.0);
}

TEST_F(BrowserTest, SourceAndTheRuntimesDefaultsThePageBridgeRelyOn) {
  browser->SetDefaultURL(u"http://127.0.0.1/www/corvale2/index.html");
  CreateBrowserNow();
  EXPECT_EQ(browser->Source(), u"http://127.0.0.1/www/corvale2/index.html");
  EXPECT_TRUE(browser->ScriptEnabled());
  EXPECT_TRUE(browser->WebMessageEnabled());
  EXPECT_EQ(sim.com().OutstandingBlocks(), 0u);  // the source text was freed
}

}  // namespace
}  // namespace velmoran::test
