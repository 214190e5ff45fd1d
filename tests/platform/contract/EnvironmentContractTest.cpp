#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/platform/contract/ContractBackend.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

struct VariableCase {
  const char* name;
  std::u16string defined;  // the variable the backend defines (its name)
  std::optional<std::u16string> value;
  std::u16string asked;  // the name the case asks for
  bool found;
  std::u16string expected;
};

void PrintTo(const VariableCase& c, std::ostream* out) { *out << c.name; }

class EnvironmentContract : public ::testing::TestWithParam<VariableCase> {
 protected:
  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
};

TEST_P(EnvironmentContract, VariablesAreFoundByNameInAnyCase) {
  const VariableCase& c = GetParam();
  if (c.value) backend_->SetVariable(c.defined, *c.value);
  std::u16string value = u"left over";
  EXPECT_EQ(backend_->Services().environment().GetEnvironmentVariableW(c.asked, value), c.found);
  EXPECT_EQ(value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnvironmentContract,
    ::testing::Values(
        VariableCase{"Defined", u"VELMORAN_CONTRACT_A", u"C:\\Runtime", u"VELMORAN_CONTRACT_A", true,
                     u"C:\\Runtime"},
        VariableCase{"NameInOtherCase", u"VELMORAN_CONTRACT_B", u"x", u"velmoran_contract_b", true, u"x"},
        VariableCase{"NameEndsAtItsFirstNul", u"VELMORAN_CONTRACT_H", u"h",
                     std::u16string(u"VELMORAN_CONTRACT_H\0x", 21), true, u"h"},
        VariableCase{"DefinedEmpty", u"VELMORAN_CONTRACT_C", u"", u"VELMORAN_CONTRACT_C", true, u""},
        VariableCase{"Undefined", u"VELMORAN_CONTRACT_D", std::nullopt, u"VELMORAN_CONTRACT_D", false, u""},
        VariableCase{"KoreanValue", u"VELMORAN_CONTRACT_E", u"벨모란", u"VELMORAN_CONTRACT_E", true,
                     u"벨모란"},
        VariableCase{"LongValue", u"VELMORAN_CONTRACT_F", std::u16string(1000, u'v'), u"VELMORAN_CONTRACT_F",
                     true, std::u16string(1000, u'v')}),
    CaseName());

TEST(EnvironmentContractRemoval, RemovedVariableIsGone) {
  const auto backend = MakeContractBackend();
  backend->SetVariable(u"VELMORAN_CONTRACT_G", u"here");
  backend->SetVariable(u"VELMORAN_CONTRACT_G", std::nullopt);
  std::u16string value;
  EXPECT_FALSE(backend->Services().environment().GetEnvironmentVariableW(u"VELMORAN_CONTRACT_G", value));
}

}  // namespace
}  // namespace velmoran::test
