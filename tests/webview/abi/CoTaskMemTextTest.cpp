#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/sim/SimCom.h"
#include "webview/abi/CoTaskMemText.h"
#include "webview/abi/ComResults.h"
#include "webview/abi/WideText.h"

namespace velmoran::test {
namespace {

using webview::AsWideText;
using webview::CoTaskMemDup;
using webview::CoTaskMemText;
using webview::FromWideText;

// Every block the task allocator hands out must come back exactly once.
class CoTaskMemTextTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(com.ForeignFrees(), 0u); }

  // What the runtime does for an LPWSTR* out parameter.
  HRESULT RuntimeHandsOut(std::u16string_view text, LPWSTR* out) {
    *out = CoTaskMemDup(com, text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  platform::sim::SimCom com;
};

TEST_F(CoTaskMemTextTest, FreesTheReceivedTextWhenDestroyed) {
  {
    CoTaskMemText uri(com);
    ASSERT_EQ(RuntimeHandsOut(u"http://127.0.0.1/www/corvale2/", uri.Put()), S_OK);
    EXPECT_EQ(com.OutstandingBlocks(), 1u);
    EXPECT_EQ(uri.View(), u"http://127.0.0.1/www/corvale2/");
    EXPECT_EQ(uri.ToU16String(), u"http://127.0.0.1/www/corvale2/");
  }
  EXPECT_EQ(com.OutstandingBlocks(), 0u);
  EXPECT_EQ(com.TotalAllocations(), 1u);
}

TEST_F(CoTaskMemTextTest, ReusingForASecondOutParameterFreesTheFirstText) {
  CoTaskMemText text(com);
  ASSERT_EQ(RuntimeHandsOut(u"first", text.Put()), S_OK);
  ASSERT_EQ(RuntimeHandsOut(u"second", text.Put()), S_OK);
  EXPECT_EQ(com.OutstandingBlocks(), 1u);
  EXPECT_EQ(text.View(), u"second");
  text.Reset();
  EXPECT_TRUE(text.IsNull());
  EXPECT_EQ(com.OutstandingBlocks(), 0u);
}

TEST_F(CoTaskMemTextTest, MovingTransfersTheOneFree) {
  CoTaskMemText source(com);
  ASSERT_EQ(RuntimeHandsOut(u"json", source.Put()), S_OK);
  CoTaskMemText target = std::move(source);
  EXPECT_TRUE(source.IsNull());  // NOLINT(bugprone-use-after-move): emptied by contract
  CoTaskMemText other(com, CoTaskMemDup(com, u"other"));
  other = std::move(target);
  EXPECT_EQ(com.OutstandingBlocks(), 1u);
  EXPECT_EQ(other.View(), u"json");
  other.Reset();
  EXPECT_EQ(com.OutstandingBlocks(), 0u);
}

TEST_F(CoTaskMemTextTest, DetachLeavesTheFreeToTheCaller) {
  CoTaskMemText text(com, CoTaskMemDup(com, u"kept"));
  LPWSTR kept = text.Detach();
  EXPECT_TRUE(text.IsNull());
  EXPECT_EQ(com.OutstandingBlocks(), 1u);
  CoTaskMemText owner(com, kept);
}

TEST_F(CoTaskMemTextTest, ANullTextReadsAsEmpty) {
  CoTaskMemText nothing(com);
  EXPECT_TRUE(nothing.IsNull());
  EXPECT_EQ(nothing.View(), u"");
  EXPECT_EQ(FromWideText(nullptr), u"");
}

TEST_F(CoTaskMemTextTest, DuplicatesAreZeroTerminatedAndKeepEveryUnit) {
  // An embedded zero would end the text for the runtime, but the copy keeps the whole view.
  const std::u16string text = u"\uBCA8\uBAA8\uB780 \U0001F600";
  CoTaskMemText copy(com, CoTaskMemDup(com, text));
  ASSERT_FALSE(copy.IsNull());
  EXPECT_EQ(copy.View(), text);
  EXPECT_EQ(copy.Get()[text.size()], 0);

  CoTaskMemText empty(com, CoTaskMemDup(com, u""));
  ASSERT_FALSE(empty.IsNull());
  EXPECT_EQ(empty.View(), u"");
}

TEST_F(CoTaskMemTextTest, TextsHandedToTheRuntimeReadBackUnchanged) {
  const std::u16string folder = u"C:\\app\\CustomCache";
  LPCWSTR passed = AsWideText(folder);
  EXPECT_EQ(FromWideText(passed), folder);
  EXPECT_EQ(FromWideText(AsWideText(u"literal")), u"literal");
}

}  // namespace
}  // namespace velmoran::test
