// Host objects on the real engine: an object of the host added under a name,
// the page served by Apache calls its methods through
// chrome.webview.hostObjects with arguments and gets their values back, or a
// rejection when a method fails, is unknown or cannot take the arguments.

#include <optional>
#include <span>
#include <string>
#include <variant>

#include "tests/engine/family/EngineFamilyFixture.h"
#include "webview/abi/AutomationValue.h"
#include "webview/browser/TableHostObject.h"

namespace velmoran::test::engine {
namespace {

using webview::AutomationValue;
using webview::ComPtr;
using webview::FromVariant;
using webview::TableHostObject;
using webview::ToVariant;

double HostNumber(const VARIANT& value) {
  const std::optional<AutomationValue> read = FromVariant(value);
  if (!read) return 0;
  if (const auto* whole = std::get_if<std::int32_t>(&*read)) return *whole;
  if (const auto* number = std::get_if<double>(&*read)) return *number;
  return 0;
}

ComPtr<TableHostObject> HostCalculator() {
  return TableHostObject::Make({
      {u"Add",
       [](std::span<const VARIANT> args, VARIANT& result, std::u16string&) {
         if (args.size() != 2) return DISP_E_BADPARAMCOUNT;
         return ToVariant(HostNumber(args[0]) + HostNumber(args[1]), &result) ? S_OK : E_OUTOFMEMORY;
       }},
      {u"Greet",
       [](std::span<const VARIANT> args, VARIANT& result, std::u16string&) {
         const std::optional<AutomationValue> name = args.empty() ? std::nullopt : FromVariant(args[0]);
         const auto* text = name ? std::get_if<std::u16string>(&*name) : nullptr;
         if (text == nullptr) return DISP_E_TYPEMISMATCH;
         return ToVariant(u"Hello, " + *text, &result) ? S_OK : E_OUTOFMEMORY;
       }},
      {u"Fail",
       [](std::span<const VARIANT>, VARIANT&, std::u16string& error) {
         error = u"The calculator refuses.";
         return E_INVALIDARG;
       }},
  });
}

class HostObjectEngineTest : public EngineFamilyFixture {
 protected:
  // Runs the page's calls and waits for all of them to settle: one line per call.
  std::optional<std::u16string> PageCalls() {
    if (!Engine().ExecuteScriptAndWait(u"runCalls(), true")) return std::nullopt;
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::optional<std::u16string> lines = Engine().ExecuteScriptAndWait(u"window.hostCalls");
      if (lines && *lines != u"null") return lines;
      Engine().PumpFor(100ms);
    }
    return std::nullopt;
  }
};

TEST_F(HostObjectEngineTest, PageCallsTheHostObjectAndGetsItsResults) {
  ComPtr<TableHostObject> calc = HostCalculator();
  ASSERT_TRUE(Browser().AddHostObjectToScript(u"calc", calc.Get()));
  ASSERT_TRUE(Engine().NavigateAndWait(PageURL(u"hostobj/index.html")));

  // ExecuteScript answers with the JSON of the page's text: its line breaks escaped.
  EXPECT_EQ(PageCalls(), std::u16string(u"\"ok 5\\n"
                                        u"ok 3.25\\n"
                                        u"ok \\\"Hello, 벨모란\\\"\\n"
                                        u"rejected The calculator refuses.\\n"
                                        u"rejected The host object has no method Missing.\\n"
                                        u"rejected Argument 1 is an object or an array, which a host object "
                                        u"cannot take.\\n"
                                        u"rejected Synchronous host object calls are not supported.\""));
  EXPECT_TRUE(Browser().RemoveHostObjectFromScript(u"calc"));
}

TEST_F(HostObjectEngineTest, RemovedOrRefusedHostObjectsRejectThePagesCalls) {
  ComPtr<TableHostObject> calc = HostCalculator();
  ASSERT_TRUE(Browser().AddHostObjectToScript(u"calc", calc.Get()));
  ASSERT_TRUE(Engine().NavigateAndWait(PageURL(u"hostobj/index.html")));

  ASSERT_TRUE(Browser().SetAllowHostObjects(false));
  std::optional<std::u16string> refused = PageCalls();
  ASSERT_TRUE(refused.has_value());
  EXPECT_TRUE(refused->starts_with(u"\"rejected Host objects are not allowed on this page.\\n"))
      << Utf16ToUtf8(*refused);
  ASSERT_TRUE(Browser().SetAllowHostObjects(true));

  EXPECT_TRUE(Browser().RemoveHostObjectFromScript(u"calc"));
  EXPECT_FALSE(Browser().RemoveHostObjectFromScript(u"calc"));
  std::optional<std::u16string> removed = PageCalls();
  ASSERT_TRUE(removed.has_value());
  EXPECT_TRUE(removed->starts_with(u"\"rejected No host object is named calc.\\n")) << Utf16ToUtf8(*removed);
}

}  // namespace
}  // namespace velmoran::test::engine
