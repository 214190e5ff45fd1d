#include <gtest/gtest.h>

#include <string>

#include "platform/EditControl.h"
#include "platform/sim/SimWindowManager.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using platform::kEditDefaultLimit;
using platform::kEmGetLineCount;
using platform::kEmReplaceSel;
using platform::kEmSetLimitText;
using platform::kEmSetSel;
using platform::kEsMultiline;
using platform::kWmGetFont;
using platform::kWmGetTextLength;
using platform::kWmSetFont;
using platform::kWsChild;
using platform::Rect;
using platform::WindowCreation;
using platform::WindowHandle;
using platform::sim::SimWindowManager;

// The system's edit control as the simulation answers its messages.
class SimEditControlTest : public ::testing::Test {
 protected:
  SimEditControlTest() {
    WindowCreation creation;
    creation.className = u"Edit";
    creation.style = kWsChild | kEsMultiline;
    creation.bounds = Rect{0, 0, 100, 50};
    edit_ = windows_.CreateWindowExW(creation);
  }
  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    return windows_.SendMessageW(edit_, message, wParam, lParam);
  }
  std::intptr_t Replace(const char16_t* text) {
    return Send(kEmReplaceSel, 0, reinterpret_cast<std::intptr_t>(text));
  }
  std::u16string Text() { return windows_.GetWindowTextW(edit_); }

  SimWindowManager windows_;
  WindowHandle edit_ = 0;
};

struct SelectionCase {
  const char* name;
  std::uintptr_t start;
  std::intptr_t end;
  std::u16string after;  // the text once "-" replaced the selection of "abcdef"
};

class EditSelection : public SimEditControlTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(EditSelection, ReplacesWhatWasSelected) {
  windows_.SetWindowTextW(edit_, u"abcdef");
  Send(kEmSetSel, 2, 2);
  Send(kEmSetSel, GetParam().start, GetParam().end);
  Replace(u"-");
  EXPECT_EQ(Text(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditSelection,
                         ::testing::Values(SelectionCase{"Range", 1, 3, u"a-def"},
                                           SelectionCase{"Reversed", 3, 1, u"a-def"},
                                           SelectionCase{"AllWithMinusOneEnd", 0, -1, u"-"},
                                           SelectionCase{"BeyondTheEndIsTheEnd", 100, 100, u"abcdef-"},
                                           SelectionCase{"MinusOneStartKeepsTheCaret",
                                                         static_cast<std::uintptr_t>(-1), 5, u"ab-cdef"}),
                         CaseName());

TEST_F(SimEditControlTest, CaretFollowsWhatWasInsertedAndSettingTextPutsItBackToTheStart) {
  Replace(u"ab");
  Replace(u"\r\ncd");
  EXPECT_EQ(Text(), u"ab\r\ncd");
  EXPECT_EQ(Send(kEmGetLineCount), 2);
  EXPECT_EQ(Send(kWmGetTextLength), 6);
  windows_.SetWindowTextW(edit_, u"xy");
  Replace(u"0");
  EXPECT_EQ(Text(), u"0xy");
}

TEST_F(SimEditControlTest, InsertionStopsAtTheLimitUntilTheLimitIsLifted) {
  const std::u16string big(kEditDefaultLimit + 10, u'x');
  Replace(big.c_str());
  EXPECT_EQ(Text().size(), kEditDefaultLimit);
  windows_.SetWindowTextW(edit_, u"");
  Send(kEmSetLimitText, 0);
  Replace(big.c_str());
  EXPECT_EQ(Text(), big);
}

TEST_F(SimEditControlTest, KeepsItsFont) {
  EXPECT_EQ(Send(kWmGetFont), 0);
  Send(kWmSetFont, 0x0A010000, 1);
  EXPECT_EQ(Send(kWmGetFont), 0x0A010000);
}

}  // namespace
}  // namespace velmoran::test
