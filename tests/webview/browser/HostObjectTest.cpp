// Host objects: the control hands an object to the runtime under a name, the
// page calls its methods by name and gets their values or their failures.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tests/support/CaseName.h"
#include "tests/support/HostCalculator.h"
#include "tests/webview/browser/BrowserFixture.h"
#include "webview/abi/AutomationValue.h"
#include "webview/browser/TableHostObject.h"

namespace velmoran::test {
namespace {

using webview::AutomationValue;
using webview::ComPtr;
using webview::DispatchCallResult;
using webview::TableHostObject;

struct PageCallCase {
  const char* name;
  bool hostObjectsAllowed;
  std::u16string object;
  std::u16string method;
  std::vector<AutomationValue> arguments;
  HRESULT code;
  AutomationValue value;       // when the call succeeds
  std::u16string messagePart;  // when it fails: part of the text the page is rejected with
};

const std::vector<PageCallCase>& PageCalls() {
  static const std::vector<PageCallCase> cases = {
      {"AddsWholeNumbers", true, u"calc", u"Add", {2, 3}, S_OK, 5, u""},
      {"AddsFractions", true, u"calc", u"Add", {1.5, 2}, S_OK, 3.5, u""},
      {"GreetsWithText",
       true,
       u"calc",
       u"Greet",
       {std::u16string(u"세계")},
       S_OK,
       std::u16string(u"Hello, 세계"),
       u""},
      {"EchoesABoolean", true, u"calc", u"Echo", {true}, S_OK, true, u""},
      {"EchoesNull", true, u"calc", u"Echo", {nullptr}, S_OK, nullptr, u""},
      {"NamesIgnoreCase", true, u"calc", u"add", {1, 1}, S_OK, 2, u""},
      {"FailingMethodRejectsWithItsText",
       true,
       u"calc",
       u"Fail",
       {},
       E_INVALIDARG,
       nullptr,
       u"The calculator refuses."},
      {"WrongArgumentCountRejects",
       true,
       u"calc",
       u"Add",
       {1},
       DISP_E_BADPARAMCOUNT,
       nullptr,
       u"another number of arguments"},
      {"WrongArgumentTypeRejects",
       true,
       u"calc",
       u"Greet",
       {4},
       DISP_E_TYPEMISMATCH,
       nullptr,
       u"cannot take these arguments"},
      {"UnknownMethodRejects",
       true,
       u"calc",
       u"Divide",
       {1, 2},
       DISP_E_UNKNOWNNAME,
       nullptr,
       u"no method Divide"},
      {"UnknownObjectRejects",
       true,
       u"other",
       u"Add",
       {1, 2},
       DISP_E_UNKNOWNNAME,
       nullptr,
       u"No host object is named other"},
      {"RefusedWhileHostObjectsAreNotAllowed",
       false,
       u"calc",
       u"Add",
       {1, 2},
       E_ACCESSDENIED,
       nullptr,
       u"not allowed"},
  };
  return cases;
}

class HostObjectPageTest : public BrowserTest, public testing::WithParamInterface<PageCallCase> {};

TEST_P(HostObjectPageTest, PageCallsTheHostObjectByName) {
  const PageCallCase& c = GetParam();
  CreateBrowserNow();
  ASSERT_TRUE(browser->Initialized());
  ASSERT_TRUE(browser->AddHostObjectToScript(u"calc", Calculator().Get()));
  ASSERT_TRUE(browser->SetAllowHostObjects(c.hostObjectsAllowed));

  std::optional<DispatchCallResult> answer;
  WebView().Page().CallHostObject(c.object, c.method, c.arguments,
                                  [&](const DispatchCallResult& result) { answer = result; });
  EXPECT_FALSE(answer.has_value()) << "answered inside the page's call";
  Pump();
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->code, c.code);
  if (SUCCEEDED(c.code)) {
    EXPECT_EQ(answer->value, c.value);
  } else {
    EXPECT_NE(answer->message.find(c.messagePart), std::u16string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Calls, HostObjectPageTest, testing::ValuesIn(PageCalls()), CaseName());

struct AddCase {
  const char* name;
  std::function<bool(TWVBrowserBase&)> add;
  bool added;
};

const std::vector<AddCase>& Additions() {
  static const std::vector<AddCase> cases = {
      {"IDispatch", [](TWVBrowserBase& b) { return b.AddHostObjectToScript(u"calc", Calculator().Get()); },
       true},
      {"VariantWithIDispatch",
       [](TWVBrowserBase& b) {
         ComPtr<TableHostObject> object = Calculator();
         VARIANT value;
         VariantInit(&value);
         value.vt = VT_DISPATCH;
         value.pdispVal = object.Get();
         return b.AddHostObjectToScript(u"calc", &value);
       },
       true},
      {"VariantWithIUnknownAnsweringForIDispatch",
       [](TWVBrowserBase& b) {
         ComPtr<TableHostObject> object = Calculator();
         VARIANT value;
         VariantInit(&value);
         value.vt = VT_UNKNOWN;
         value.punkVal = object.Get();
         return b.AddHostObjectToScript(u"calc", &value);
       },
       true},
      {"VariantWithANumber",
       [](TWVBrowserBase& b) {
         VARIANT value;
         VariantInit(&value);
         value.vt = VT_I4;
         value.lVal = 7;
         return b.AddHostObjectToScript(u"calc", &value);
       },
       false},
      {"NullIDispatch",
       [](TWVBrowserBase& b) { return b.AddHostObjectToScript(u"calc", static_cast<IDispatch*>(nullptr)); },
       false},
      {"NullVariant",
       [](TWVBrowserBase& b) { return b.AddHostObjectToScript(u"calc", static_cast<VARIANT*>(nullptr)); },
       false},
      {"EmptyName", [](TWVBrowserBase& b) { return b.AddHostObjectToScript(u"", Calculator().Get()); },
       false},
  };
  return cases;
}

class HostObjectAddTest : public BrowserTest, public testing::WithParamInterface<AddCase> {};

TEST_P(HostObjectAddTest, NothingBeforeInitializedThenTheRuntimesAnswer) {
  StartRuntime();
  EXPECT_FALSE(GetParam().add(*browser));
  ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
  Pump();
  ASSERT_TRUE(browser->Initialized());
  EXPECT_EQ(GetParam().add(*browser), GetParam().added);
  EXPECT_EQ(WebView().HostObjects().Names(),
            GetParam().added ? std::vector<std::u16string>{u"calc"} : std::vector<std::u16string>{});
}

INSTANTIATE_TEST_SUITE_P(Objects, HostObjectAddTest, testing::ValuesIn(Additions()), CaseName());

TEST_F(BrowserTest, RemovedHostObjectIsGoneFromThePageAndReleased) {
  CreateBrowserNow();
  ComPtr<TableHostObject> object = Calculator();
  ASSERT_TRUE(browser->AddHostObjectToScript(u"calc", object.Get()));
  // The runtime keeps a reference of its own while the page may call the object.
  EXPECT_EQ(object->AddRef(), 3u);
  object->Release();
  EXPECT_TRUE(browser->RemoveHostObjectFromScript(u"calc"));
  EXPECT_EQ(object->AddRef(), 2u);
  object->Release();
  EXPECT_FALSE(browser->RemoveHostObjectFromScript(u"calc"));

  std::optional<DispatchCallResult> answer;
  WebView().Page().CallHostObject(u"calc", u"Add", {1, 2}, [&](const DispatchCallResult& r) { answer = r; });
  Pump();
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->code, DISP_E_UNKNOWNNAME);
}

TEST_F(BrowserTest, HostObjectCallsFailWithTheRuntime) {
  CreateBrowserNow();
  runtime->SetCallResult("AddHostObjectToScript", E_UNEXPECTED);
  EXPECT_FALSE(browser->AddHostObjectToScript(u"calc", Calculator().Get()));
  runtime->SetCallResult("AddHostObjectToScript", S_OK);
  EXPECT_TRUE(browser->AddHostObjectToScript(u"calc", Calculator().Get()));
  runtime->SetCallResult("RemoveHostObjectFromScript", E_UNEXPECTED);
  EXPECT_FALSE(browser->RemoveHostObjectFromScript(u"calc"));
}

}  // namespace
}  // namespace velmoran::test
