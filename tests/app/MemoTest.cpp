#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/ActivityLog.h"
#include "app/Memo.h"
#include "app/Panel.h"
#include "platform/EditControl.h"
#include "tests/app/SimShellFixture.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using app::ActivityLog;
using app::LogView;
using app::TAlign;
using app::TMemo;
using app::TPanel;
using velmoran::testing::SimShellFixture;

using platform::Rect;
using platform::WindowHandle;

// A memo filling a panel of a plain top-level window, as the main window holds Memo1.
class MemoTest : public testing::SimShellFixture {
 protected:
  MemoTest() {
    platform::WindowCreation creation;
    creation.className = u"Host";
    creation.style = platform::kWsCaption;
    creation.bounds = Rect{0, 0, 800, 600};
    host_ = sim_.windows().CreateWindowExW(creation);
    panel_.CreateHandle(host_, {});
    sim_.windows().SetWindowPos(panel_.Handle(), 0, 0, 400, 700, 139, platform::kSwpNoZOrder);
  }

  void Create() {
    memo_.CreateHandle(panel_.Handle(), font_);
    panel_.SetFillingControl(&memo_);
  }
  std::u16string ControlText() { return sim_.windows().GetWindowTextW(memo_.Handle()); }

  const platform::GdiObject font_ = sim_.graphics().CreateFontIndirectW(platform::LogFont{-11, 700, 1, u"x"});
  WindowHandle host_ = 0;
  TPanel panel_{sim_.windows(), u"TPanel", TAlign::alBottom, 139};
  TMemo memo_{sim_.windows(), sim_.graphics()};
};

TEST_F(MemoTest, IsTheSystemsMultiLineEditWithBothScrollBarsFillingItsPanel) {
  Create();
  auto& windows = sim_.windows();
  EXPECT_EQ(windows.ClassName(memo_.Handle()), u"EDIT");
  EXPECT_EQ(windows.Parent(memo_.Handle()), panel_.Handle());
  const auto style = static_cast<std::uint32_t>(windows.GetWindowLongW(memo_.Handle(), platform::kGwlStyle));
  for (std::uint32_t bit :
       {platform::kEsMultiline, platform::kWsHScroll, platform::kWsVScroll, platform::kWsChild}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(
      static_cast<platform::GdiObject>(windows.SendMessageW(memo_.Handle(), platform::kWmGetFont, 0, 0)),
      font_);
  Rect bounds;
  windows.GetWindowRect(memo_.Handle(), bounds);
  EXPECT_EQ(bounds.Width(), 700);
  EXPECT_EQ(bounds.Height(), 139);

  windows.SetWindowPos(panel_.Handle(), 0, 0, 300, 640, 200, platform::kSwpNoZOrder);
  windows.GetWindowRect(memo_.Handle(), bounds);
  EXPECT_EQ(bounds.Width(), 640) << "the memo follows its panel";
  EXPECT_EQ(bounds.Height(), 200);
}

TEST_F(MemoTest, PaintsWindowColouredTextOnBlack) {
  Create();
  constexpr platform::DeviceContext kDeviceContext = 0x5DC;
  for (std::uint32_t message : {platform::kWmCtlColorEdit, platform::kWmCtlColorStatic}) {
    const auto brush = sim_.windows().SendMessageW(panel_.Handle(), message, kDeviceContext,
                                                   static_cast<std::intptr_t>(memo_.Handle()));
    EXPECT_EQ(static_cast<platform::GdiObject>(brush),
              platform::sim::SimGraphics::StockObject(platform::kBlackBrush));
    const auto colors = sim_.graphics().ColorsOf(kDeviceContext);
    EXPECT_EQ(colors.text, sim_.graphics().GetSysColor(platform::kColorWindow));
    EXPECT_EQ(colors.background, platform::kBlack);
  }
}

struct MirrorCase {
  const char* name;
  std::function<void(LogView&)> change;
  std::u16string text;  // the control's text afterwards
};

class MemoMirrorTest : public MemoTest, public ::testing::WithParamInterface<MirrorCase> {};

TEST_P(MemoMirrorTest, ControlHoldsTheLinesEachEndedByCrLf) {
  Create();
  GetParam().change(memo_.Contents());
  EXPECT_EQ(ControlText(), GetParam().text);
}

const std::u16string kLongLine(70000, u'x');  // beyond the control's default limit

INSTANTIATE_TEST_SUITE_P(
    Changes, MemoMirrorTest,
    ::testing::Values(MirrorCase{"NewViewHoldsOneEmptyLine", [](LogView&) {}, u"\r\n"},
                      MirrorCase{"LineGoesAtTheEnd", [](LogView& v) { v.AddLine(u"a"); }, u"\r\na\r\n"},
                      MirrorCase{"EveryKindOfBreakBecomesCrLf",
                                 [](LogView& v) { v.AddLine(u"a\rb\nc\r\nd"); }, u"\r\na\r\nb\r\nc\r\nd\r\n"},
                      MirrorCase{"OwnedLineGoesAtTheEnd", [](LogView& v) { v.AddOwnedLine(u"owned"); },
                                 u"\r\nowned\r\n"},
                      MirrorCase{"ClearEmptiesTheControl", [](LogView& v) { v.Clear(); }, u""},
                      MirrorCase{"LineAfterAClearIsTheOnlyOne",
                                 [](LogView& v) {
                                   v.AddLine(u"gone");
                                   v.Clear();
                                   v.AddLine(u"kept");
                                 },
                                 u"kept\r\n"},
                      MirrorCase{"LongLineIsKeptWhole", [](LogView& v) { v.AddLine(kLongLine); },
                                 u"\r\n" + kLongLine + u"\r\n"}),
    CaseName());

TEST_F(MemoTest, LinesHeldBeforeTheControlExistsAreInIt) {
  memo_.Contents().AddLine(u"early");
  Create();
  memo_.Contents().AddLine(u"late");
  EXPECT_EQ(ControlText(), u"\r\nearly\r\nlate\r\n");
}

TEST_F(MemoTest, LogEmptiesTheControlWithTheViewPastItsLimit) {
  Create();
  std::filesystem::create_directories(root_.path() / "C" / "velmoran");
  ActivityLog log(sim_, memo_.Contents());
  while (memo_.LineCount() <= ActivityLog::kMaxViewLines) memo_.Contents().AddLine(u"old");
  log.logw(u"alone");
  ASSERT_EQ(memo_.LineCount(), 1u);
  EXPECT_EQ(ControlText(), memo_.Lines().front() + u"\r\n");
  EXPECT_TRUE(ControlText().ends_with(u":::alone\r\n"));
}

TEST_F(MemoTest, ControlGoneLeavesTheLinesToTheView) {
  Create();
  memo_.DestroyHandle();
  memo_.Contents().AddLine(u"after");
  EXPECT_EQ(memo_.Handle(), 0u);
  EXPECT_EQ(memo_.LineCount(), 2u);
}

}  // namespace
}  // namespace velmoran::test
