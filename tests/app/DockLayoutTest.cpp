#include <gtest/gtest.h>

#include <vector>

#include "app/DockLayout.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using app::AlignDocked;
using app::DockedWindow;
using app::TAlign;

using platform::Rect;

struct LayoutCase {
  const char* name;
  bool panelVisible;
  bool splitterVisible;
  Rect panel, splitter, host;
};

class AlignDockedTest : public ::testing::TestWithParam<LayoutCase> {};

// The main window's arrangement: the panel on the bottom edge, the splitter
// above it, the host window filling the rest.
TEST_P(AlignDockedTest, BottomPanelSplitterAndClientHost) {
  const LayoutCase& c = GetParam();
  const std::vector<DockedWindow> windows = {{1, TAlign::alBottom, 139, c.panelVisible},
                                             {2, TAlign::alBottom, 5, c.splitterVisible},
                                             {3, TAlign::alClient, 0, true}};
  const std::vector<Rect> rects = AlignDocked(Rect{0, 0, 1106, 607}, windows);
  ASSERT_EQ(rects.size(), 3u);
  if (c.panelVisible) {
    EXPECT_EQ(rects[0], c.panel);
  }
  if (c.splitterVisible) {
    EXPECT_EQ(rects[1], c.splitter);
  }
  EXPECT_EQ(rects[2], c.host);
}

INSTANTIATE_TEST_SUITE_P(
    Visibility, AlignDockedTest,
    ::testing::Values(
        LayoutCase{"AllShown", true, true, {0, 468, 1106, 607}, {0, 463, 1106, 468}, {0, 0, 1106, 463}},
        LayoutCase{"PanelHidden", false, true, {}, {0, 602, 1106, 607}, {0, 0, 1106, 602}},
        LayoutCase{"BothHidden", false, false, {}, {}, {0, 0, 1106, 607}}),
    CaseName());

TEST(AlignDockedLimits, EdgesNeverOverrunATooSmallClientArea) {
  const std::vector<DockedWindow> windows = {
      {1, TAlign::alBottom, 139, true}, {2, TAlign::alTop, 100, true}, {3, TAlign::alClient, 0, true}};
  const std::vector<Rect> rects = AlignDocked(Rect{0, 0, 50, 120}, windows);
  EXPECT_EQ(rects[1], (Rect{0, 0, 50, 100}));
  EXPECT_EQ(rects[0], (Rect{0, 100, 50, 120}));
  EXPECT_EQ(rects[2], (Rect{0, 100, 50, 100}));
}

}  // namespace
}  // namespace velmoran::test
