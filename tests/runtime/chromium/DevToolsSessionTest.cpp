#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "runtime/chromium/DevToolsSession.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using runtime::chromium::BuildCommand;
using runtime::chromium::DevToolsMessage;
using runtime::chromium::DevToolsSession;
using runtime::chromium::ObjectMember;
using runtime::chromium::TakeTextMember;
using runtime::chromium::TextMember;

// A session whose pipe is a list, and what each command's answer said.
struct Pipe {
  std::vector<std::string> written;
  bool open = true;
  DevToolsSession session{[this](std::string text) {
    if (!open) return false;
    written.push_back(std::move(text));
    return true;
  }};
  std::vector<std::string> answers;

  DevToolsSession::AnswerHandler Record(const std::string& name) {
    return [this, name](const DevToolsSession::Answer& answer) {
      answers.push_back(name + (answer.Succeeded() ? " ok " + Utf16ToUtf8(TextMember(answer.result, u"value"))
                                                   : " error " + Utf16ToUtf8(*answer.error)));
    };
  }
};

TEST(DevToolsCommand, CarriesIdMethodSessionAndParams) {
  EXPECT_EQ(BuildCommand(7, "Page.navigate", "S1", R"({"url":"about:blank"})"),
            R"({"id":7,"method":"Page.navigate","sessionId":"S1","params":{"url":"about:blank"}})");
  EXPECT_EQ(BuildCommand(1, "Browser.getVersion", "", ""), R"({"id":1,"method":"Browser.getVersion"})");
}

struct AnswerCase {
  const char* name;
  std::vector<std::string> incoming;  // after commands "a" (id 1) and "b" (id 2) were sent
  std::vector<std::string> answers;
};

class SessionAnswerCases : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(SessionAnswerCases, EachAnswerReachesItsCommandOnce) {
  Pipe pipe;
  pipe.session.Call("A.a", "", u"", pipe.Record("a"));
  pipe.session.Call("B.b", R"({"x":1})", u"S", pipe.Record("b"));
  for (const std::string& text : GetParam().incoming) pipe.session.Receive(text);
  EXPECT_EQ(pipe.answers, GetParam().answers);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SessionAnswerCases,
    ::testing::Values(
        AnswerCase{
            "InOrder",
            {R"({"id":1,"result":{"value":"one"}})", R"({"id":2,"result":{"value":"two"},"sessionId":"S"})"},
            {"a ok one", "b ok two"}},
        AnswerCase{"OutOfOrder",
                   {R"({"id":2,"result":{"value":"two"}})", R"({"id":1,"result":{"value":"one"}})"},
                   {"b ok two", "a ok one"}},
        AnswerCase{"ErrorAnswer",
                   {R"({"id":1,"error":{"code":-32000,"message":"No target"}})"},
                   {"a error No target"}},
        AnswerCase{"SecondAnswerIgnored",
                   {R"({"id":1,"result":{"value":"one"}})", R"({"id":1,"result":{"value":"again"}})"},
                   {"a ok one"}},
        AnswerCase{"UnknownIdIgnored", {R"({"id":99,"result":{}})"}, {}},
        AnswerCase{"NotJsonIgnored", {"{\"id\":1,", "[1,2]"}, {}},
        AnswerCase{"EventIsNoAnswer", {R"({"method":"Page.loadEventFired","params":{}})"}, {}}),
    CaseName());

TEST(DevToolsSession, ClosingAnswersEveryOutstandingCommandWithTheReason) {
  Pipe pipe;
  pipe.session.Call("A.a", "", u"", pipe.Record("a"));
  pipe.session.Call("B.b", "", u"", pipe.Record("b"));
  pipe.session.Receive(R"({"id":2,"result":{"value":"two"}})");
  pipe.session.Close(u"gone");
  EXPECT_EQ(pipe.answers, (std::vector<std::string>{"b ok two", "a error gone"}));
  pipe.session.Call("C.c", "", u"", pipe.Record("c"));
  EXPECT_EQ(pipe.answers.back(), "c error The browser's pipe is closed.");
  EXPECT_EQ(pipe.session.OutstandingCommands(), 0u);
}

TEST(DevToolsSession, CommandThatCannotBeWrittenFailsAtOnce) {
  Pipe pipe;
  pipe.open = false;
  pipe.session.Call("A.a", "", u"", pipe.Record("a"));
  EXPECT_EQ(pipe.answers, (std::vector<std::string>{"a error The browser's pipe is closed."}));
}

TEST(DevToolsSession, EventsReachTheSubscribersOfTheirMethodWithTheirSession) {
  Pipe pipe;
  std::vector<std::string> seen;
  pipe.session.Subscribe(u"Page.frameNavigated", [&](const DevToolsMessage& event) {
    seen.push_back("navigated " + Utf16ToUtf8(event.sessionId) + " " +
                   Utf16ToUtf8(TextMember(*ObjectMember(event.body, u"frame"), u"url")));
  });
  pipe.session.Subscribe(u"Runtime.bindingCalled", [&](const DevToolsMessage& event) {
    seen.push_back("binding " + Utf16ToUtf8(TextMember(event.body, u"payload")));
  });
  pipe.session.Receive(
      R"({"method":"Page.frameNavigated","params":{"frame":{"url":"http://a/"}},"sessionId":"S1"})");
  pipe.session.Receive(R"({"method":"Page.loadEventFired","params":{}})");
  pipe.session.Receive(R"({"method":"Runtime.bindingCalled","params":{"payload":"\"AppExit\""}})");
  EXPECT_EQ(seen, (std::vector<std::string>{"navigated S1 http://a/", "binding \"AppExit\""}));
}

// A page message is moved out of its event, not copied; the handlers after
// the one that took it see it empty.
TEST(DevToolsSession, AHandlerTakesAStringMemberOutOfTheEvent) {
  Pipe pipe;
  std::vector<std::string> seen;
  pipe.session.Subscribe(u"Runtime.bindingCalled", [&](DevToolsMessage& event) {
    std::optional<std::u16string> payload = TakeTextMember(event.body, u"payload");
    seen.push_back(payload ? "took " + Utf16ToUtf8(*payload) : "none");
    seen.push_back(TakeTextMember(event.body, u"executionContextId") ? "a number taken" : "no string there");
    seen.push_back(TakeTextMember(event.body, u"missing") ? "a missing member taken"
                                                          : "nothing missing taken");
  });
  pipe.session.Subscribe(u"Runtime.bindingCalled", [&](const DevToolsMessage& event) {
    seen.push_back("after: [" + Utf16ToUtf8(TextMember(event.body, u"payload")) + "]");
  });
  pipe.session.Receive(
      R"({"method":"Runtime.bindingCalled","params":{"name":"p","payload":"\"big\"","executionContextId":1}})");
  EXPECT_EQ(seen, (std::vector<std::string>{"took \"big\"", "no string there", "nothing missing taken",
                                            "after: []"}));
}

}  // namespace
}  // namespace velmoran::test
