#include "app/LogView.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmoran::app {
namespace {

TEST(LogView, StartsWithOneEmptyLine) {
  const LogView view;
  EXPECT_EQ(view.Lines(), std::vector<std::u16string>{u""});
}

struct BreakCase {
  const char16_t* text;
  std::vector<std::u16string> lines;
};

class LogViewBreaks : public ::testing::TestWithParam<BreakCase> {};

TEST_P(LogViewBreaks, SplitLikeTheView) {
  LogView view;
  view.Clear();
  view.AddLine(GetParam().text);
  EXPECT_EQ(view.Lines(), GetParam().lines);
  EXPECT_EQ(view.LineCount(), GetParam().lines.size());
}

INSTANTIATE_TEST_SUITE_P(
    LogView, LogViewBreaks,
    ::testing::Values(BreakCase{u"", {u""}}, BreakCase{u"a", {u"a"}}, BreakCase{u"a\r\nb", {u"a", u"b"}},
                      BreakCase{u"a\rb", {u"a", u"b"}}, BreakCase{u"a\nb", {u"a", u"b"}},
                      BreakCase{u"a\r\n", {u"a", u""}}, BreakCase{u"\n\r", {u"", u"", u""}},
                      BreakCase{u"a\r\r\nb\n\nc", {u"a", u"", u"b", u"", u"c"}}));

TEST(LogView, KeepsLinesInOrderNewestLast) {
  LogView view;
  view.AddLine(u"one");
  view.AddLine(u"two\r\nthree");
  EXPECT_EQ(view.Lines(), (std::vector<std::u16string>{u"", u"one", u"two", u"three"}));
  view.Clear();
  EXPECT_EQ(view.LineCount(), 0u);
}

}  // namespace
}  // namespace velmoran::app
