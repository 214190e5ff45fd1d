#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/chromium/FrameSplitter.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::FrameSplitter;

using namespace std::string_literals;

struct FrameSplitCase {
  const char* name;
  std::vector<std::string> reads;
  std::vector<std::string> frames;
  std::size_t pending;
};

class FrameSplitterCases : public ::testing::TestWithParam<FrameSplitCase> {};

TEST_P(FrameSplitterCases, CutsAtEachNul) {
  FrameSplitter splitter;
  std::vector<std::string> frames;
  for (const std::string& read : GetParam().reads) {
    for (std::string& frame : splitter.Feed(read)) frames.push_back(std::move(frame));
  }
  EXPECT_EQ(frames, GetParam().frames);
  EXPECT_EQ(splitter.PendingBytes(), GetParam().pending);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, FrameSplitterCases,
    ::testing::Values(FrameSplitCase{"OneWholeMessage", {"{\"id\":1}\0"s}, {"{\"id\":1}"}, 0},
                      FrameSplitCase{"TwoInOneRead", {"a\0b\0"s}, {"a", "b"}, 0},
                      FrameSplitCase{"SplitAcrossReads", {"ab", "c\0d"s, "e\0"s}, {"abc", "de"}, 0},
                      FrameSplitCase{"NulAloneInARead", {"abc", "\0"s}, {"abc"}, 0},
                      FrameSplitCase{"EmptyMessage", {"\0\0x\0"s}, {"", "", "x"}, 0},
                      FrameSplitCase{"UnfinishedTailKept", {"a\0bc"s, "d"}, {"a"}, 3},
                      FrameSplitCase{"NothingYet", {"", "abc"}, {}, 3}),
    CaseName());

TEST(FrameSplitter, LargeMessageInSmallReadsArrivesWhole) {
  const std::string payload(20 * 1024 * 1024 + 3, 'x');
  const std::string stream = "{\"small\":1}"s + '\0' + payload + '\0';
  FrameSplitter splitter;
  std::vector<std::string> frames;
  constexpr std::size_t kRead = std::size_t{64} * 1024;
  for (std::size_t at = 0; at < stream.size(); at += kRead) {
    for (std::string& frame : splitter.Feed(std::string_view(stream).substr(at, kRead)))
      frames.push_back(std::move(frame));
  }
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], "{\"small\":1}");
  EXPECT_EQ(frames[1], payload);
}

}  // namespace
}  // namespace velmoran::test
