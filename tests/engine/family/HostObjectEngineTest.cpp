// Host objects on the real engine: an object of the host added under a name,
// the page served by Apache calls its methods through
// chrome.webview.hostObjects with arguments and gets their values back, or a
// rejection when a method fails, is unknown or cannot take the arguments.

#include <optional>
#include <string>

#include "tests/engine/family/EngineFamilyFixture.h"
#include "tests/support/HostCalculator.h"
#include "webview/browser/TableHostObject.h"

namespace velmoran::test::engine {
namespace {

using webview::ComPtr;
using webview::TableHostObject;

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
  ComPtr<TableHostObject> calc = Calculator();
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
  ComPtr<TableHostObject> calc = Calculator();
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
