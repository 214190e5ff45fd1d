#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "app/LogView.h"
#include "base/Text.h"

namespace velmoran::test {
namespace {

using app::LogView;
using app::LogViewMirror;

TEST(LogView, StartsWithOneEmptyLine) {
  const LogView view;
  EXPECT_EQ(view.Lines(), std::vector<std::u16string>{u""});
}

struct BreakCase {
  const char16_t* text;
  std::vector<std::u16string> lines;
};

void PrintTo(const BreakCase& c, std::ostream* out) {
  *out << "text " << ::testing::PrintToString(Utf16ToUtf8(c.text)) << " in " << c.lines.size() << " lines";
}

class LogViewBreaks : public ::testing::TestWithParam<BreakCase> {};

TEST_P(LogViewBreaks, SplitLikeTheView) {
  LogView view;
  view.Clear();
  view.AddLine(GetParam().text);
  EXPECT_EQ(view.Lines(), GetParam().lines);
  EXPECT_EQ(view.LineCount(), GetParam().lines.size());
}

INSTANTIATE_TEST_SUITE_P(LogView, LogViewBreaks,
                         ::testing::Values(BreakCase{u"", {u""}}, BreakCase{u"a", {u"a"}},
                                           BreakCase{u"a\r\nb", {u"a", u"b"}},
                                           BreakCase{u"a\rb", {u"a", u"b"}}, BreakCase{u"a\nb", {u"a", u"b"}},
                                           BreakCase{u"a\r\n", {u"a", u""}},
                                           BreakCase{u"\n\r", {u"", u"", u""}},
                                           BreakCase{u"a\r\r\nb\n\nc", {u"a", u"", u"b", u"", u"c"}}));

TEST(LogView, FindsBreaksAnywhereInLongLines) {
  const std::u16string first(70, u'a');
  const std::u16string tabs(45, u'\t');
  LogView view;
  view.Clear();
  view.AddLine(first + u"\r\n" + tabs + u"\r" + std::u16string(31, u'b') + u"\n");
  EXPECT_EQ(view.Lines(), (std::vector<std::u16string>{first, tabs, std::u16string(31, u'b'), u""}));
  std::u16string owned = first + tabs;
  view.AddOwnedLine(std::move(owned));
  EXPECT_EQ(view.Lines().back(), first + tabs);
  view.AddOwnedLine(std::u16string(u"x\ny"));
  EXPECT_EQ(view.LineCount(), 7u);
}

TEST(LogView, KeepsLinesInOrderNewestLast) {
  LogView view;
  view.AddLine(u"one");
  view.AddLine(u"two\r\nthree");
  EXPECT_EQ(view.Lines(), (std::vector<std::u16string>{u"", u"one", u"two", u"three"}));
  EXPECT_EQ(view.TextSize(), 11u);  // line breaks not counted
  view.Clear();
  EXPECT_EQ(view.LineCount(), 0u);
  EXPECT_EQ(view.TextSize(), 0u);
}

class RecordingMirror final : public LogViewMirror {
 public:
  void LineAdded(const std::u16string& line) override { events.push_back(line); }
  void Cleared() override { events.push_back(u"<cleared>"); }
  std::vector<std::u16string> events;
};

TEST(LogView, MirrorFollowsEveryLineAndClearInOrder) {
  RecordingMirror mirror;
  LogView view;
  view.SetMirror(&mirror);
  view.AddLine(u"one\ntwo");
  view.Clear();
  view.AddOwnedLine(std::u16string(u"three"));
  view.AddOwnedLine(std::u16string(u"four\r\n"));
  view.SetMirror(nullptr);
  view.AddLine(u"unseen");
  EXPECT_EQ(mirror.events,
            (std::vector<std::u16string>{u"one", u"two", u"<cleared>", u"three", u"four", u""}));
}

}  // namespace
}  // namespace velmoran::test
