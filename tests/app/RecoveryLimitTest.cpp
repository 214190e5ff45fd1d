// How often the shell brings a failing browser back: the third failure within
// a minute is refused, and so is every one after it.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/RecoveryLimit.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using app::RecoveryLimit;

struct LimitCase {
  const char* name;
  std::vector<std::uint32_t> ticks;  // GetTickCount at each failure
  std::vector<bool> allowed;
};

class RecoveryLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(RecoveryLimitTest, AllowsUntilTheThirdFailureWithinAMinute) {
  RecoveryLimit limit;
  std::vector<bool> allowed;
  for (std::uint32_t tick : GetParam().ticks) allowed.push_back(limit.Allow(tick));
  EXPECT_EQ(allowed, GetParam().allowed);
  EXPECT_EQ(limit.Exhausted(), !GetParam().allowed.back());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, RecoveryLimitTest,
    ::testing::Values(LimitCase{"TwoAtOnce", {5, 5}, {true, true}},
                      LimitCase{"ThirdWithinAMinute", {0, 1000, 59999}, {true, true, false}},
                      LimitCase{"ThirdAMinuteAfterTheFirst", {0, 1000, 60000}, {true, true, true}},
                      LimitCase{"TheMinuteMovesOn", {0, 40000, 70000, 99999}, {true, true, true, false}},
                      LimitCase{
                          "AcrossTheCounterWrap", {0xFFFFF000u, 0xFFFFFF00u, 0x1000u}, {true, true, false}},
                      LimitCase{"NothingAfterGivingUp", {0, 1, 2, 600000}, {true, true, false, false}}),
    CaseName());

}  // namespace
}  // namespace velmoran::test
