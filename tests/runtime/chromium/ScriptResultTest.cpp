#include <gtest/gtest.h>

#include <string>

#include "runtime/chromium/ScriptResult.h"
#include "tests/support/CaseName.h"
#include "webview/abi/ComResults.h"

namespace velmoran::test {
namespace {

using runtime::chromium::DevToolsSession;
using runtime::chromium::ScriptResult;
using runtime::chromium::ScriptResultFromAnswer;

struct ResultCase {
  const char* name;
  std::string answer;  // Chromium's whole answer to the evaluation
  HRESULT errorCode;
  std::u16string resultAsJson;
};

class ScriptResultCases : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ScriptResultCases, CompletesWithTheRuntimesAnswer) {
  ScriptResult result{E_UNEXPECTED, u"unset"};
  DevToolsSession session([](const std::string&) { return true; });
  session.Call("Runtime.evaluate", "", u"",
               [&](const DevToolsSession::Answer& answer) { result = ScriptResultFromAnswer(answer); });
  session.Receive(GetParam().answer);
  EXPECT_EQ(result.errorCode, GetParam().errorCode);
  EXPECT_EQ(result.resultAsJson, GetParam().resultAsJson);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ScriptResultCases,
    ::testing::Values(
        ResultCase{"NumberText", R"({"id":1,"result":{"result":{"type":"string","value":"42"}}})", S_OK,
                   u"42"},
        ResultCase{"StringTextKeepsItsQuotes",
                   R"({"id":1,"result":{"result":{"type":"string","value":"\"done\""}}})", S_OK, u"\"done\""},
        ResultCase{"ObjectText",
                   R"({"id":1,"result":{"result":{"type":"string","value":"{\"a\":[1,null]}"}}})", S_OK,
                   u"{\"a\":[1,null]}"},
        ResultCase{
            "ThrownIsNull",
            R"({"id":1,"result":{"result":{"type":"object","subtype":"error"},"exceptionDetails":{"text":"Uncaught"}}})",
            S_OK, u"null"},
        ResultCase{"NoValueIsNull", R"({"id":1,"result":{"result":{"type":"undefined"}}})", S_OK, u"null"},
        ResultCase{"CommandFailed", R"({"id":1,"error":{"code":-32000,"message":"Cannot find context"}})",
                   E_FAIL, u""}),
    CaseName());

}  // namespace
}  // namespace velmoran::test
