// The page's host object calls as the runtime reads them from the binding,
// and the expressions that settle the page's promises.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "runtime/chromium/HostObjectScripts.h"
#include "runtime/chromium/PageScripts.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::HostObjectAnswerExpression;
using runtime::chromium::HostObjectRequest;
using runtime::chromium::ParseHostObjectRequest;
using webview::AutomationValue;
using webview::DispatchCallResult;

struct HostRequestCase {
  const char* name;
  std::u16string payload;
  bool read;  // whether it is a call at all
  std::int64_t id;
  std::u16string object;
  std::u16string method;
  std::vector<AutomationValue> arguments;
  bool refused;  // a call whose arguments a host object cannot take
};

const std::vector<HostRequestCase>& HostRequestCases() {
  static const std::vector<HostRequestCase> cases = {
      {"NumbersOfBothKinds",
       uR"({"id":1,"name":"calc","method":"Add","args":[2,3.5]})",
       true,
       1,
       u"calc",
       u"Add",
       {2, 3.5},
       false},
      {"TextBooleanNull",
       uR"({"id":7,"name":"o","method":"M","args":["안녕\n",true,false,null]})",
       true,
       7,
       u"o",
       u"M",
       {std::u16string(u"안녕\n"), true, false, nullptr},
       false},
      {"NoArguments", uR"({"id":2,"name":"o","method":"M","args":[]})", true, 2, u"o", u"M", {}, false},
      {"ArgumentsLeftOut", uR"({"id":2,"name":"o","method":"M"})", true, 2, u"o", u"M", {}, false},
      {"WholeNumberPastInt32IsANumber",
       uR"({"id":3,"name":"o","method":"M","args":[4294967296]})",
       true,
       3,
       u"o",
       u"M",
       {4294967296.0},
       false},
      {"ObjectArgumentRefused",
       uR"({"id":4,"name":"o","method":"M","args":[1,{"a":1}]})",
       true,
       4,
       u"o",
       u"M",
       {},
       true},
      {"ArrayArgumentRefused",
       uR"({"id":5,"name":"o","method":"M","args":[[1]]})",
       true,
       5,
       u"o",
       u"M",
       {},
       true},
      {"NotJson", u"{", false, 0, u"", u"", {}, false},
      {"NotAnObject", u"[1]", false, 0, u"", u"", {}, false},
      {"NoId", uR"({"name":"o","method":"M","args":[]})", false, 0, u"", u"", {}, false},
      {"FractionalId", uR"({"id":1.5,"name":"o","method":"M"})", false, 0, u"", u"", {}, false},
      {"NameNotText", uR"({"id":1,"name":3,"method":"M"})", false, 0, u"", u"", {}, false},
      {"ArgumentsNotAList", uR"({"id":1,"name":"o","method":"M","args":{}})", false, 0, u"", u"", {}, false},
  };
  return cases;
}

class HostObjectRequestCases : public testing::TestWithParam<HostRequestCase> {};

TEST_P(HostObjectRequestCases, ReadsThePagesCall) {
  const HostRequestCase& c = GetParam();
  std::string why;
  const std::optional<HostObjectRequest> request = ParseHostObjectRequest(c.payload, why);
  ASSERT_EQ(request.has_value(), c.read) << why;
  if (!request) {
    EXPECT_FALSE(why.empty());
    return;
  }
  EXPECT_EQ(request->id, c.id);
  EXPECT_EQ(request->name, c.object);
  EXPECT_EQ(request->method, c.method);
  EXPECT_EQ(request->arguments, c.arguments);
  EXPECT_EQ(request->refusal.empty(), !c.refused);
}

INSTANTIATE_TEST_SUITE_P(Payloads, HostObjectRequestCases, testing::ValuesIn(HostRequestCases()), CaseName());

struct HostAnswerCase {
  const char* name;
  DispatchCallResult result;
  std::string settles;  // the arguments the page's settle function gets
};

const std::vector<HostAnswerCase>& HostAnswerCases() {
  static const std::vector<HostAnswerCase> cases = {
      {"Whole", {S_OK, 5, u""}, "(9, true, 5, 0)"},
      {"Fraction", {S_OK, 0.1, u""}, "(9, true, 0.1, 0)"},
      {"NotANumber", {S_OK, std::numeric_limits<double>::quiet_NaN(), u""}, "(9, true, null, 0)"},
      {"Text", {S_OK, std::u16string(u"a\"b</script>"), u""}, R"((9, true, "a\"b</script>", 0))"},
      {"Boolean", {S_OK, false, u""}, "(9, true, false, 0)"},
      {"Null", {S_OK, nullptr, u""}, "(9, true, null, 0)"},
      {"Failure", {E_INVALIDARG, nullptr, u"No."}, R"((9, false, "No.", -2147024809))"},
  };
  return cases;
}

class HostObjectAnswerCases : public testing::TestWithParam<HostAnswerCase> {};

TEST_P(HostObjectAnswerCases, SettlesThePagesPromise) {
  const std::string expression = HostObjectAnswerExpression(9, GetParam().result);
  EXPECT_NE(expression.find("__velmoranHostSettle" + GetParam().settles), std::string::npos) << expression;
}

INSTANTIATE_TEST_SUITE_P(Results, HostObjectAnswerCases, testing::ValuesIn(HostAnswerCases()), CaseName());

TEST(HostObjectPageScript, BootstrapTakesTheBindingAwayAndAddsTheProxy) {
  const std::string script = runtime::chromium::PageBootstrapScript({});
  EXPECT_NE(script.find("delete w.__velmoranHostObject"), std::string::npos);
  EXPECT_NE(script.find("'hostObjects'"), std::string::npos);
}

}  // namespace
}  // namespace velmoran::test
