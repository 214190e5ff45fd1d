// The application's own context menu items: made by the environment through
// the control, which subscribes each item's CustomItemSelected (reached only
// through QueryInterface on our own id) and raises OnCustomItemSelected when
// the page's context menu picks it.

#include <functional>
#include <string>
#include <vector>

#include "runtime/sim/SimContextMenuItem.h"
#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"

namespace velmoran::test {
namespace {

using runtime::sim::SimContextMenuItem;
using webview::ComPtr;
using webview::TWVBrowserBase;

SimContextMenuItem& AsSimItem(const ComPtr<ICoreWebView2ContextMenuItem>& item) {
  return *static_cast<SimContextMenuItem*>(item.Get());
}

class BrowserContextMenuItemTest : public BrowserTest {
 protected:
  BrowserContextMenuItemTest() {
    browser->OnCustomItemSelected = [this](TWVBrowserBase*, ICoreWebView2ContextMenuItem* sender,
                                           IUnknown* args) {
      selected.push_back(sender);
      EXPECT_EQ(args, nullptr);
    };
  }
  std::vector<ICoreWebView2ContextMenuItem*> selected;
};

TEST_F(BrowserContextMenuItemTest, AnItemIsMadeOnlyOnceTheBrowserIsInitialized) {
  StartRuntime();
  ComPtr<ICoreWebView2ContextMenuItem> item;
  EXPECT_FALSE(
      browser->CreateContextMenuItem(u"Save", nullptr, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND, item));
  EXPECT_FALSE(item);
  ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
  Pump();
  ASSERT_TRUE(
      browser->CreateContextMenuItem(u"Save", nullptr, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND, item));
  ASSERT_TRUE(item);
  EXPECT_EQ(AsSimItem(item).Events().Count("CustomItemSelected"), 1u);
}

TEST_F(BrowserContextMenuItemTest, PickingTheItemRaisesOnCustomItemSelectedForThatItem) {
  CreateBrowserNow();
  ComPtr<ICoreWebView2ContextMenuItem> save;
  ComPtr<ICoreWebView2ContextMenuItem> print;
  ASSERT_TRUE(
      browser->CreateContextMenuItem(u"Save", nullptr, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND, save));
  ASSERT_TRUE(browser->CreateContextMenuItem(u"Print", nullptr, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_CHECK_BOX,
                                             print));

  // The label and kind the application gave, and a command id of each item's own.
  webview::CoTaskMemText label(sim.com());
  ASSERT_EQ(print->get_Label(label.Put()), S_OK);
  EXPECT_EQ(label.ToU16String(), u"Print");
  COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND kind = COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND;
  ASSERT_EQ(print->get_Kind(&kind), S_OK);
  EXPECT_EQ(kind, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_CHECK_BOX);
  INT32 saveId = 0;
  INT32 printId = 0;
  ASSERT_EQ(save->get_CommandId(&saveId), S_OK);
  ASSERT_EQ(print->get_CommandId(&printId), S_OK);
  EXPECT_NE(saveId, printId);

  AsSimItem(print).Select();
  EXPECT_TRUE(selected.empty());  // never inside the choice itself
  Pump();
  EXPECT_EQ(selected, std::vector<ICoreWebView2ContextMenuItem*>{print.Get()});
}

struct RefusedItem {
  const char* name;
  std::function<void(runtime::sim::SimRuntimeConfig&, runtime::sim::SimControllerConfig&)> arrange;
  const char* failingCall;  // a runtime call made to fail once the browser is there, or none
};

const std::vector<RefusedItem>& RefusedItems() {
  static const std::vector<RefusedItem> cases = {
      {"EnvironmentWithoutVersion9",
       [](runtime::sim::SimRuntimeConfig& o, runtime::sim::SimControllerConfig&) {
         o.highestEnvironmentVersion = 8;
       },
       nullptr},
      {"RuntimeThatKnowsOtherIds",
       [](runtime::sim::SimRuntimeConfig&, runtime::sim::SimControllerConfig& c) {
         c.contextMenuItemVersions = {0, {}};
       },
       nullptr},
      {"CreationRefused", [](runtime::sim::SimRuntimeConfig&, runtime::sim::SimControllerConfig&) {},
       "CreateContextMenuItem"},
      {"SubscriptionRefused", [](runtime::sim::SimRuntimeConfig&, runtime::sim::SimControllerConfig&) {},
       "add_CustomItemSelected"},
  };
  return cases;
}

class RefusedItemTest : public BrowserContextMenuItemTest, public testing::WithParamInterface<RefusedItem> {};

TEST_P(RefusedItemTest, AnswersFalseAndNoItem) {
  GetParam().arrange(options, choices);
  CreateBrowserNow();
  ASSERT_TRUE(browser->Initialized());
  if (GetParam().failingCall != nullptr) runtime->SetCallResult(GetParam().failingCall, E_FAIL);
  ComPtr<ICoreWebView2ContextMenuItem> item;
  EXPECT_FALSE(
      browser->CreateContextMenuItem(u"Save", nullptr, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND, item));
  EXPECT_FALSE(item);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedItemTest, testing::ValuesIn(RefusedItems()), CaseName());

TEST_F(BrowserContextMenuItemTest, AnItemRefusingOurIdIsNamedInTheLoadersLog) {
  choices.contextMenuItemVersions = {0, {}};
  CreateBrowserNow();
  ComPtr<ICoreWebView2ContextMenuItem> item;
  EXPECT_FALSE(
      browser->CreateContextMenuItem(u"Save", nullptr, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND, item));
  bool named = false;
  for (const std::u16string& line : webview::SharedWebViewLoader()->ErrorLog())
    named = named || line.find(u"{39541296-06C3-55F2-B341-F22C1F7584B8}") != std::u16string::npos;
  EXPECT_TRUE(named);
}

TEST_F(BrowserContextMenuItemTest, ClosingTheBrowserReleasesItsItems) {
  CreateBrowserNow();
  browser->CloseBrowser();
  Pump();
  const std::size_t withoutItems = runtime->LiveObjects();
  ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
  Pump();
  {
    ComPtr<ICoreWebView2ContextMenuItem> item;
    ASSERT_TRUE(
        browser->CreateContextMenuItem(u"Save", nullptr, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND, item));
  }
  browser->CloseBrowser();
  Pump();
  EXPECT_EQ(runtime->LiveObjects(), withoutItems);
}

TEST_F(BrowserContextMenuItemTest, ClosingTheBrowserLetsGoOfItsItems) {
  CreateBrowserNow();
  ComPtr<ICoreWebView2ContextMenuItem> item;
  ASSERT_TRUE(
      browser->CreateContextMenuItem(u"Save", nullptr, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND, item));
  browser->CloseBrowser();
  EXPECT_EQ(AsSimItem(item).Events().Count(), 0u);
  AsSimItem(item).Select();
  Pump();
  EXPECT_TRUE(selected.empty());
}

}  // namespace
}  // namespace velmoran::test
