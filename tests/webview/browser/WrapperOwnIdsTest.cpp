// The wrappers of interfaces declared with ids of our own (composition
// controller, context menu item, notification): each asks the object it is
// given for the interface instead of trusting the pointer's type, so an object
// that refuses the id leaves the wrapper empty, a line in the loader's error
// log, and no call at all into the object.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/sim/SimCompositionController.h"
#include "runtime/sim/SimContextMenuItem.h"
#include "runtime/sim/SimNotification.h"
#include "tests/support/CaseName.h"
#include "tests/webview/browser/WrapperFixture.h"
#include "webview/browser/TCoreWebView2CompositionController.h"
#include "webview/browser/TCoreWebView2ContextMenuItem.h"
#include "webview/browser/TCoreWebView2Notification.h"

namespace velmoran::test {
namespace {

using runtime::sim::SimCompositionController;
using runtime::sim::SimContextMenuItem;
using runtime::sim::SimNotification;
using runtime::sim::SimVersionLimit;
using webview::ComPtr;
using webview::MakeComObject;
using webview::TCoreWebView2CompositionController;
using webview::TCoreWebView2ContextMenuItem;
using webview::TCoreWebView2Notification;

// One own-id wrapper, as the table drives it.
struct OwnIdWrapper {
  const char* name;
  const IID* id;
  // Makes the runtime object, offering its versions up to `limit`.
  std::function<ComPtr<IUnknown>(WrapperFixture&, const SimVersionLimit& limit)> makeObject;
  // The wrapper around `object` (or none): Initialized, and whether its subscriptions were made.
  std::function<std::pair<bool, bool>(IUnknown* object, platform::Com& com, RecordingBrowserEvents& events)>
      wrap;
};

class OwnIdWrapperTest : public WrapperFixture, public testing::WithParamInterface<OwnIdWrapper> {
 public:
  const std::shared_ptr<SimControllerSide>& Side() { return side; }
  const std::shared_ptr<SimRuntimeContext>& Context() { return context; }
  HWND Host() const { return HostHwnd(); }
  std::size_t Refusals() const { return RefusalLines(); }
  bool Names(const IID& id) const { return LogNames(id); }
};

const std::vector<OwnIdWrapper>& OwnIdWrappers() {
  static const std::vector<OwnIdWrapper> wrappers = {
      {"CompositionController", &IID_ICoreWebView2CompositionController,
       [](WrapperFixture& f, const SimVersionLimit& limit) {
         auto& test = static_cast<OwnIdWrapperTest&>(f);
         test.Side()->Config().compositionControllerVersions = limit;
         SimControllerRequest request;
         request.parentWindow = test.Host();
         return ComPtr<IUnknown>(static_cast<ICoreWebView2CompositionController*>(
             MakeComObject<SimCompositionController>(test.Context(), test.Side(), test.Host(), request)
                 .Get()));
       },
       [](IUnknown* object, platform::Com&, RecordingBrowserEvents& events) {
         TCoreWebView2CompositionController wrapper(object);
         return std::make_pair(wrapper.Initialized(), wrapper.AddAllBrowserEvents(&events));
       }},
      {"ContextMenuItem", &IID_ICoreWebView2ContextMenuItem,
       [](WrapperFixture& f, const SimVersionLimit& limit) {
         auto& test = static_cast<OwnIdWrapperTest&>(f);
         return ComPtr<IUnknown>(static_cast<ICoreWebView2ContextMenuItem*>(
             MakeComObject<SimContextMenuItem>(test.Context(), limit, u"Save",
                                               COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_COMMAND, 7)
                 .Get()));
       },
       [](IUnknown* object, platform::Com& com, RecordingBrowserEvents& events) {
         TCoreWebView2ContextMenuItem wrapper(object, com);
         return std::make_pair(wrapper.Initialized(), wrapper.AddAllBrowserEvents(&events));
       }},
      {"Notification", &IID_ICoreWebView2Notification,
       [](WrapperFixture& f, const SimVersionLimit& limit) {
         auto& test = static_cast<OwnIdWrapperTest&>(f);
         return ComPtr<IUnknown>(static_cast<ICoreWebView2Notification*>(
             MakeComObject<SimNotification>(test.Context(), limit).Get()));
       },
       [](IUnknown* object, platform::Com& com, RecordingBrowserEvents& events) {
         TCoreWebView2Notification wrapper(object, com);
         return std::make_pair(wrapper.Initialized(), wrapper.AddAllBrowserEvents(&events));
       }},
  };
  return wrappers;
}

TEST_P(OwnIdWrapperTest, BuiltFromNoneItHoldsNothingAndLogsNothing) {
  EXPECT_EQ(GetParam().wrap(nullptr, platform.com(), events), std::make_pair(false, false));
  EXPECT_EQ(Refusals(), 0u);
}

TEST_P(OwnIdWrapperTest, AnObjectRefusingOurIdIsNeverCalledAndIsNamedInTheLog) {
  ComPtr<IUnknown> object = GetParam().makeObject(*this, SimVersionLimit{0, {}});
  EXPECT_EQ(GetParam().wrap(object.Get(), platform.com(), events), std::make_pair(false, false));
  EXPECT_TRUE(subscriptions.subscribed.empty());
  EXPECT_EQ(Refusals(), 1u);
  EXPECT_TRUE(Names(*GetParam().id));
}

TEST_P(OwnIdWrapperTest, AnObjectOfferingOurIdIsHeldAndSubscribedUntilTheWrapperGoes) {
  ComPtr<IUnknown> object = GetParam().makeObject(*this, SimVersionLimit{4, {}});
  EXPECT_EQ(GetParam().wrap(object.Get(), platform.com(), events), std::make_pair(true, true));
  EXPECT_FALSE(subscriptions.subscribed.empty());
  // The wrapper is gone at the end of wrap(): so is every subscription it made.
  EXPECT_EQ(subscriptions.subscribed.size(), subscriptions.unsubscribed.size());
  EXPECT_EQ(Refusals(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Family, OwnIdWrapperTest, testing::ValuesIn(OwnIdWrappers()), CaseName());

using OwnIdWrapperValuesTest = WrapperFixture;

TEST_F(OwnIdWrapperValuesTest, AMenuItemsValuesCrossUnchanged) {
  auto item = MakeComObject<SimContextMenuItem>(context, SimVersionLimit{1, {}}, u"Print preview",
                                                COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_CHECK_BOX, 50001);
  TCoreWebView2ContextMenuItem wrapper(static_cast<ICoreWebView2ContextMenuItem*>(item.Get()),
                                       platform.com());
  EXPECT_EQ(wrapper.Label(), u"Print preview");
  EXPECT_EQ(wrapper.Name(), u"custom");
  EXPECT_EQ(wrapper.Kind(), COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND_CHECK_BOX);
  EXPECT_EQ(wrapper.CommandId(), 50001);
  EXPECT_EQ(wrapper.ShortcutKeyDescription(), u"");
  EXPECT_TRUE(wrapper.IsEnabled());
  EXPECT_TRUE(wrapper.SetIsEnabled(false));
  EXPECT_FALSE(wrapper.IsEnabled());
  EXPECT_TRUE(wrapper.SetIsChecked(true));
  EXPECT_TRUE(wrapper.IsChecked());
  context->SetCallResult("get_Label", E_FAIL);
  EXPECT_EQ(wrapper.Label(), u"");
}

TEST_F(OwnIdWrapperValuesTest, ANotificationsTextsCrossUnchangedAndItsReportsAnswerTheRuntime) {
  auto notification = MakeComObject<SimNotification>(context, SimVersionLimit{1, {}});
  notification->Values().Write<std::u16string>("Title", u"저장됨");
  notification->Values().Write<std::u16string>("Body", u"4 captures");
  TCoreWebView2Notification wrapper(static_cast<ICoreWebView2Notification*>(notification.Get()),
                                    platform.com());
  EXPECT_EQ(wrapper.Title(), u"저장됨");
  EXPECT_EQ(wrapper.Body(), u"4 captures");
  // The simulated notification does not take reports: the runtime's failure is the answer.
  EXPECT_FALSE(wrapper.ReportShown());
  EXPECT_FALSE(wrapper.ReportClicked());
  EXPECT_FALSE(wrapper.ReportClosed());
}

TEST_F(OwnIdWrapperValuesTest, ACompositionControllerStopsAskingAtTheFirstRefusedVersion) {
  side->Config().compositionControllerVersions = {2, {}};
  SimControllerRequest request;
  request.parentWindow = HostHwnd();
  auto composition = MakeComObject<SimCompositionController>(context, side, HostHwnd(), request);
  TCoreWebView2CompositionController wrapper(
      static_cast<ICoreWebView2CompositionController*>(composition.Get()));
  ASSERT_TRUE(wrapper.Initialized());
  EXPECT_EQ(RefusalLines(), 1u);
  EXPECT_TRUE(LogNames(IID_ICoreWebView2CompositionController3));
  std::uint32_t effect = 1;
  EXPECT_FALSE(wrapper.DragOver(0, POINT{1, 1}, effect));
  EXPECT_EQ(effect, 1u);
  EXPECT_EQ(wrapper.GetNonClientRegionAtPoint(POINT{1, 1}), COREWEBVIEW2_NON_CLIENT_REGION_KIND_NOWHERE);
  EXPECT_TRUE(composition->DragCalls().empty());
  // CursorChanged is of version 1; NonClientRegionChanged would need version 4.
  EXPECT_FALSE(wrapper.AddAllBrowserEvents(&events));
  EXPECT_EQ(composition->Events().Count("CursorChanged"), 1u);
  EXPECT_EQ(composition->Events().Count("NonClientRegionChanged"), 0u);
}

}  // namespace
}  // namespace velmoran::test
