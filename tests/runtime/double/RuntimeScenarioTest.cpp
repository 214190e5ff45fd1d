// The scenario file of the runtime double: what each line means, and which
// lines are refused with their line number.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "base/Text.h"
#include "runtime/double/RuntimeScenario.h"
#include "tests/support/CaseName.h"

namespace velmoran::runtime::doubles {

// A failing comparison prints the scenario that was read.
void PrintTo(const RuntimeScenario& scenario, std::ostream* out) {
  auto result = [](HRESULT value) { return "0x" + Utf16ToUtf8(Hex8(static_cast<std::uint32_t>(value))); };
  for (const ScenarioCallFailure& failure : scenario.callFailures)
    *out << "\n  fail " << failure.method << ' ' << result(failure.result);
  if (scenario.environmentCompletion)
    *out << "\n  complete environment " << result(*scenario.environmentCompletion);
  if (scenario.controllerCompletion)
    *out << "\n  complete controller " << result(*scenario.controllerCompletion);
  if (scenario.scriptCompletion) *out << "\n  complete script " << result(*scenario.scriptCompletion);
  for (const auto& [number, status] : scenario.failingNavigations)
    *out << "\n  navigation " << number << " fails " << static_cast<int>(status);
  for (const ScenarioMessage& message : scenario.messages) {
    *out << "\n  after " << message.delayMilliseconds << " ms: ";
    if (message.crash) {
      *out << "crash " << (message.crash->browserProcess ? "browser " : "renderer ")
           << message.crash->exitCode;
    } else {
      *out << (!message.file.empty()       ? "every line of " + Utf16ToUtf8(message.file)
               : message.json              ? Utf16ToUtf8(*message.json)
               : message.textPointsNowhere ? std::string("<invalid pointer>")
                                           : std::string("<unreadable>"));
    }
  }
  if (scenario.resourcesEvery != 0) *out << "\n  resources every " << scenario.resourcesEvery;
  for (const ScenarioError& error : scenario.errors)
    *out << "\n  error on line " << error.line << ": " << error.reason;
}

}  // namespace velmoran::runtime::doubles

namespace velmoran::test {
namespace {

using runtime::doubles::ParseRuntimeScenario;
using runtime::doubles::RuntimeScenario;
using runtime::doubles::ScenarioCallFailure;
using runtime::doubles::ScenarioError;
using runtime::doubles::ScenarioMessage;

struct ScenarioCase {
  const char* name;
  std::string text;
  RuntimeScenario expected;
};

RuntimeScenario Messages(std::initializer_list<ScenarioMessage> messages) {
  RuntimeScenario scenario;
  scenario.messages = messages;
  return scenario;
}

ScenarioMessage Json(std::u16string json, std::uint32_t delay = 0) {
  return {delay, std::move(json), {}, {}, false};
}

ScenarioMessage FileOfMessages(std::u16string path, std::uint32_t delay = 0) {
  return {delay, std::nullopt, std::move(path), {}, false};
}

RuntimeScenario ResourcesEvery(std::uint64_t every) {
  RuntimeScenario scenario;
  scenario.resourcesEvery = every;
  return scenario;
}

ScenarioMessage Crash(bool browserProcess, std::int32_t exitCode, std::uint32_t delay = 0) {
  return {delay, std::nullopt, {}, runtime::doubles::ScenarioCrash{browserProcess, exitCode}, false};
}

RuntimeScenario Failures(std::initializer_list<ScenarioCallFailure> failures) {
  RuntimeScenario scenario;
  scenario.callFailures = failures;
  return scenario;
}

RuntimeScenario Completions(std::optional<HRESULT> environment, std::optional<HRESULT> controller,
                            std::optional<HRESULT> script) {
  RuntimeScenario scenario;
  scenario.environmentCompletion = environment;
  scenario.controllerCompletion = controller;
  scenario.scriptCompletion = script;
  return scenario;
}

RuntimeScenario Navigations(std::map<std::uint64_t, COREWEBVIEW2_WEB_ERROR_STATUS> failing) {
  RuntimeScenario scenario;
  scenario.failingNavigations = std::move(failing);
  return scenario;
}

RuntimeScenario Error(std::size_t line, std::string reason) {
  RuntimeScenario scenario;
  scenario.errors.push_back({line, std::move(reason)});
  return scenario;
}

class RuntimeScenarioTest : public testing::TestWithParam<ScenarioCase> {};

TEST_P(RuntimeScenarioTest, ReadsTheText) {
  EXPECT_EQ(ParseRuntimeScenario(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RuntimeScenarioTest,
    testing::Values(
        ScenarioCase{"Empty", "", {}},
        ScenarioCase{"CommentsAndBlankLines", "# one\n\n   # two, indented\r\n \t \n", {}},
        ScenarioCase{"PostedStringAsItsJsonLiteral", "\"AppExit\"\n", Messages({Json(u"\"AppExit\"")})},
        ScenarioCase{"PostedObject", "{\"image\":\"x\",\"index\":2}",
                     Messages({Json(u"{\"image\":\"x\",\"index\":2}")})},
        ScenarioCase{"MessageKeepsItsBlanksAndDropsOneCarriageReturn", "  [1, 2] \r\n",
                     Messages({Json(u"  [1, 2] ")})},
        ScenarioCase{"BrokenJsonIsStillAMessage", "{\"callMode\":\n", Messages({Json(u"{\"callMode\":")})},
        ScenarioCase{"WordThatOnlyStartsLikeADirective", "failure 1\n", Messages({Json(u"failure 1")})},
        ScenarioCase{"Unreadable", "!unreadable\n",
                     Messages({ScenarioMessage{0, std::nullopt, {}, {}, false}})},
        ScenarioCase{"InvalidPointer", "!invalid-pointer\n",
                     Messages({ScenarioMessage{0, std::nullopt, {}, {}, true}})},
        ScenarioCase{"Utf8AndByteOrderMark", "\xEF\xBB\xBF\"\xED\x99\x8D\xEA\xB8\xB8\xEB\x8F\x99\"",
                     Messages({Json(u"\"홍길동\"")})},
        ScenarioCase{"MessagesInFileOrder", "\"a\"\n\"b\"\n\"c\"",
                     Messages({Json(u"\"a\""), Json(u"\"b\""), Json(u"\"c\"")})},
        ScenarioCase{"WaitsAddUpBeforeTheNextMessage",
                     "wait 500\n\"a\"\n\"b\"\nwait 100\nwait 50\n\"c\"\nwait 9\n",
                     Messages({Json(u"\"a\"", 500), Json(u"\"b\""), Json(u"\"c\"", 150)})},
        ScenarioCase{"FilesOfMessagesWhereTheyStand",
                     "\"a\"\nwait 20\nmessages C:\\day one.txt \n\"b\"\nmessages /tmp/soak/m.txt",
                     Messages({Json(u"\"a\""), FileOfMessages(u"C:\\day one.txt", 20), Json(u"\"b\""),
                               FileOfMessages(u"Z:\\tmp\\soak\\m.txt")})},
        ScenarioCase{"ResourcesEvery", "resources every 500", ResourcesEvery(500)},
        ScenarioCase{"ResourcesEveryZero", "resources every 0",
                     Error(1, "write resources every <N>, N at least 1")},
        ScenarioCase{"ResourcesWithoutEvery", "resources 500",
                     Error(1, "write resources every <N>, N at least 1")},
        ScenarioCase{
            "CrashesBetweenMessagesTakeTheWaitBeforeThem",
            "\"a\"\nwait 20\ncrash browser 0xC0000005\ncrash renderer -3\n\"b\"",
            Messages({Json(u"\"a\""), Crash(true, -1073741819, 20), Crash(false, -3), Json(u"\"b\"")})},
        ScenarioCase{"CrashOfAnotherProcess", "crash gpu 1",
                     Error(1, "write crash browser <exit code> or crash renderer <exit code>")},
        ScenarioCase{"CrashWithoutExitCode", "crash browser",
                     Error(1, "write crash browser <exit code> or crash renderer <exit code>")},
        ScenarioCase{"CrashWithAWordForExitCode", "crash renderer often",
                     Error(1, "not an exit code: often")},
        ScenarioCase{"FailByName", "fail ExecuteScript E_FAIL", Failures({{"ExecuteScript", E_FAIL}})},
        ScenarioCase{"FailAnExportInHex", "fail CreateCoreWebView2EnvironmentWithOptions 0x80070005",
                     Failures({{"CreateCoreWebView2EnvironmentWithOptions", E_ACCESSDENIED}})},
        ScenarioCase{"FailInSignedDecimal", "\tfail  add_WebMessageReceived   -2147467263",
                     Failures({{"add_WebMessageReceived", E_NOTIMPL}})},
        ScenarioCase{"FailInUnsignedDecimal", "fail Navigate 2147942487",
                     Failures({{"Navigate", E_INVALIDARG}})},
        ScenarioCase{"Completions",
                     "complete environment 0x80004005\ncomplete controller E_ABORT\ncomplete script S_OK",
                     Completions(E_FAIL, E_ABORT, S_OK)},
        ScenarioCase{"LaterCompletionWins", "complete script E_FAIL\ncomplete script E_POINTER",
                     Completions(std::nullopt, std::nullopt, E_POINTER)},
        ScenarioCase{"FailingNavigations",
                     "navigation 1 fails CANNOT_CONNECT\nnavigation 2 fails 6\n"
                     "navigation 3 fails COREWEBVIEW2_WEB_ERROR_STATUS_TIMEOUT",
                     Navigations({{1, COREWEBVIEW2_WEB_ERROR_STATUS_CANNOT_CONNECT},
                                  {2, COREWEBVIEW2_WEB_ERROR_STATUS_SERVER_UNREACHABLE},
                                  {3, COREWEBVIEW2_WEB_ERROR_STATUS_TIMEOUT}})},
        ScenarioCase{"FailWithoutResult", "fail ExecuteScript",
                     Error(1, "fail needs a method name and an HRESULT")},
        ScenarioCase{"FailWithAWordForResult", "fail ExecuteScript E_SOMETIMES",
                     Error(1, "not an HRESULT: E_SOMETIMES")},
        ScenarioCase{"ResultOfNineHexDigits", "fail Navigate 0x180004005",
                     Error(1, "not an HRESULT: 0x180004005")},
        ScenarioCase{"ResultBeyondThirtyTwoBits", "fail Navigate 4294967296",
                     Error(1, "not an HRESULT: 4294967296")},
        ScenarioCase{"CompleteOfAnUnknownRequest", "complete page E_FAIL",
                     Error(1, "complete knows environment, controller and script, not page")},
        ScenarioCase{"NavigationZero", "navigation 0 fails 6",
                     Error(1, "not a navigation number (1 is the first): 0")},
        ScenarioCase{"NavigationWithoutFails", "navigation 1 failed 6",
                     Error(1, "write navigation <N> fails <status>")},
        ScenarioCase{"UnknownWebErrorStatus", "navigation 1 fails NO_NETWORK",
                     Error(1, "not a web error status: NO_NETWORK")},
        ScenarioCase{"WaitWithoutNumber", "wait soon", Error(1, "wait needs a number of milliseconds")},
        ScenarioCase{"ErrorLineCountsEveryLine", "# first\n\n\"a\"\r\nwait -1\n",
                     [] {
                       RuntimeScenario scenario = Messages({Json(u"\"a\"")});
                       scenario.errors.push_back({4, "wait needs a number of milliseconds"});
                       return scenario;
                     }()}),
    CaseName());

}  // namespace
}  // namespace velmoran::test
