#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "app/ActivityLog.h"
#include "app/TMemo.h"
#include "app/TPanel.h"
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
using platform::Rect;
using platform::WindowHandle;

// A memo filling a panel of a plain top-level window, as the main window holds Memo1.
class MemoTest : public SimShellFixture {
 protected:
  MemoTest() {
    platform::WindowCreation creation;
    creation.className = u"Host";
    creation.style = platform::kWsCaption;
    creation.bounds = Rect{0, 0, 800, 600};
    host = sim.windows().CreateWindowExW(creation);
    panel.CreateHandle(host, {});
    sim.windows().SetWindowPos(panel.Handle(), 0, 0, 400, 700, 139, platform::kSwpNoZOrder);
  }

  void Create() {
    memo.CreateHandle(panel.Handle(), font);
    panel.SetFillingControl(&memo);
  }
  std::u16string ControlText() { return sim.windows().GetWindowTextW(memo.Handle()); }

  const platform::GdiObject font = sim.graphics().CreateFontIndirectW(platform::LogFont{-11, 700, 1, u"x"});
  WindowHandle host = 0;
  TPanel panel{sim.windows(), u"TPanel", TAlign::alBottom, 139};
  TMemo memo{sim.windows(), sim.graphics()};
};

TEST_F(MemoTest, IsTheSystemsMultiLineEditWithBothScrollBarsFillingItsPanel) {
  Create();
  auto& windows = sim.windows();
  EXPECT_EQ(windows.ClassName(memo.Handle()), u"EDIT");
  EXPECT_EQ(windows.Parent(memo.Handle()), panel.Handle());
  const auto style = static_cast<std::uint32_t>(windows.GetWindowLongW(memo.Handle(), platform::kGwlStyle));
  for (std::uint32_t bit :
       {platform::kEsMultiline, platform::kWsHScroll, platform::kWsVScroll, platform::kWsChild}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(static_cast<platform::GdiObject>(windows.SendMessageW(memo.Handle(), platform::kWmGetFont, 0, 0)),
            font);
  Rect bounds;
  windows.GetWindowRect(memo.Handle(), bounds);
  EXPECT_EQ(bounds.Width(), 700);
  EXPECT_EQ(bounds.Height(), 139);

  windows.SetWindowPos(panel.Handle(), 0, 0, 300, 640, 200, platform::kSwpNoZOrder);
  windows.GetWindowRect(memo.Handle(), bounds);
  EXPECT_EQ(bounds.Width(), 640) << "the memo follows its panel";
  EXPECT_EQ(bounds.Height(), 200);
}

TEST_F(MemoTest, PaintsWindowColouredTextOnBlack) {
  Create();
  constexpr platform::DeviceContext kDeviceContext = 0x5DC;
  for (std::uint32_t message : {platform::kWmCtlColorEdit, platform::kWmCtlColorStatic}) {
    const auto brush = sim.windows().SendMessageW(panel.Handle(), message, kDeviceContext,
                                                  static_cast<std::intptr_t>(memo.Handle()));
    EXPECT_EQ(static_cast<platform::GdiObject>(brush),
              platform::sim::SimGraphics::StockObject(platform::kBlackBrush));
    const auto colors = sim.graphics().ColorsOf(kDeviceContext);
    EXPECT_EQ(colors.text, sim.graphics().GetSysColor(platform::kColorWindow));
    EXPECT_EQ(colors.background, platform::kBlack);
  }
}

struct MirrorCase {
  const char* name;
  std::function<void(LogView&)> change;
  std::u16string text;  // the control's text afterwards
};

void PrintTo(const MirrorCase& mirror, std::ostream* out) { *out << mirror.name; }

class MemoMirrorTest : public MemoTest, public ::testing::WithParamInterface<MirrorCase> {};

TEST_P(MemoMirrorTest, ControlHoldsTheLinesEachEndedByCrLf) {
  Create();
  GetParam().change(memo.Contents());
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
  memo.Contents().AddLine(u"early");
  Create();
  memo.Contents().AddLine(u"late");
  EXPECT_EQ(ControlText(), u"\r\nearly\r\nlate\r\n");
}

TEST_F(MemoTest, LogEmptiesTheControlWithTheViewPastItsLimit) {
  Create();
  std::filesystem::create_directories(root.path() / "C" / "velmoran");
  ActivityLog log(sim, memo.Contents());
  while (memo.LineCount() <= ActivityLog::kMaxViewLines) memo.Contents().AddLine(u"old");
  log.logw(u"alone");
  ASSERT_EQ(memo.LineCount(), 1u);
  EXPECT_EQ(ControlText(), memo.Lines().front() + u"\r\n");
  EXPECT_TRUE(ControlText().ends_with(u":::alone\r\n"));
}

TEST_F(MemoTest, ControlGoneLeavesTheLinesToTheView) {
  Create();
  memo.DestroyHandle();
  memo.Contents().AddLine(u"after");
  EXPECT_EQ(memo.Handle(), 0u);
  EXPECT_EQ(memo.LineCount(), 2u);
}

}  // namespace
}  // namespace velmoran::test
