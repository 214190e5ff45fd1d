// The browser control's small helpers: decoding retrieved page text and the zoom ladder.

#include <gtest/gtest.h>

#include <ostream>

#include "base/Text.h"
#include "platform/sim/SimPlatform.h"
#include "tests/support/TempFolder.h"
#include "webview/browser/JsonDataMember.h"
#include "webview/browser/RetrievedText.h"
#include "webview/browser/TWVBrowser.h"
#include "webview/browser/ZoomSteps.h"

namespace velmoran::test {
namespace {

using webview::DecodeRetrievedText;
using webview::JsonDataMember;
using webview::kDefaultZoomStep;
using webview::kZoomStepCount;
using webview::kZoomSteps;
using webview::NearestZoomStep;
using webview::TWVBrowser;

struct DecodeCase {
  std::u16string input;
  std::u16string expected;
};

void PrintTo(const DecodeCase& c, std::ostream* out) { *out << "retrieved text " << Utf16ToUtf8(c.input); }

class BrowserRetrievedTextTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(BrowserRetrievedTextTest, DecodesAsThePageEncodedIt) {
  EXPECT_EQ(DecodeRetrievedText(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, BrowserRetrievedTextTest,
                         ::testing::Values(DecodeCase{u"\"%3Chtml%3E%3C%2Fhtml%3E\"", u"<html></html>"},
                                           // UTF-8 escapes become one UTF-16 character each.
                                           DecodeCase{u"\"%EB%B2%A8%EB%AA%A8%EB%9E%80\"", u"벨모란"},
                                           // Only one pair of quotes goes.
                                           DecodeCase{u"\"\"a\"\"", u"\"a\""},
                                           DecodeCase{u"%22quoted%22", u"quoted"},
                                           // Broken escapes stay as they are; a lone quote is not a pair.
                                           DecodeCase{u"100%", u"100%"}, DecodeCase{u"%zz%4", u"%zz%4"},
                                           DecodeCase{u"\"", u"\""}, DecodeCase{u"", u""},
                                           DecodeCase{u"\"\"", u""}));

TEST(BrowserJsonDataMemberTest, TakesTheTopLevelDataStringOnly) {
  EXPECT_EQ(JsonDataMember(uR"({"data":"MIME-Version: 1.0\r\n\u0041"})"), u"MIME-Version: 1.0\r\nA");
  EXPECT_EQ(JsonDataMember(uR"( { "x" : {"data":"inner"}, "y":[1,"]"], "data" : "outer" } )"), u"outer");
  EXPECT_EQ(JsonDataMember(uR"({"data":42})"), u"");
  EXPECT_EQ(JsonDataMember(uR"({"other":"x"})"), u"");
  EXPECT_EQ(JsonDataMember(uR"(["data"])"), u"");
  EXPECT_EQ(JsonDataMember(uR"({"data":"unterminated)"), u"");
  EXPECT_EQ(JsonDataMember(u""), u"");
}

TEST(BrowserZoomStepsTest, NearestPresetIsChosen) {
  EXPECT_EQ(kZoomSteps[NearestZoomStep(1.0)], 1.0);
  EXPECT_EQ(kZoomSteps[NearestZoomStep(1.12)], 1.10);
  EXPECT_EQ(NearestZoomStep(0.01), 0);
  EXPECT_EQ(NearestZoomStep(50.0), kZoomStepCount - 1);
  EXPECT_EQ(kZoomSteps[kDefaultZoomStep], 1.0);
}

TEST(BrowserFormTest, TheFormOperationsMoveAndSizeTheFormItKnows) {
  TempFolder temp;
  platform::sim::SimPlatform sim(temp.path());
  platform::WindowCreation creation;
  creation.className = u"TForm";
  creation.bounds = platform::Rect{100, 100, 500, 400};
  const platform::WindowHandle form = sim.windows().CreateWindowExW(creation);
  TWVBrowser browser(sim);
  browser.MoveFormTo(10, 20);  // no form known yet: nothing moves
  browser.SetFormHandle(form);

  browser.MoveFormBy(5, -5);
  browser.ResizeFormWidthTo(300);
  browser.SetFormTopTo(50);
  platform::Rect bounds;
  sim.windows().GetWindowRect(form, bounds);
  EXPECT_EQ(bounds, (platform::Rect{105, 50, 405, 350}));
}

}  // namespace
}  // namespace velmoran::test
