// The windowless browser: created through a composition controller, which
// the control reaches only through QueryInterface on our own ids; its input,
// drag and drop, cursor and non-client region members, and its two events.

#include <functional>
#include <string>
#include <vector>

#include "runtime/sim/SimCompositionController.h"
#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"
#include "webview/abi/WebView2Ids.h"

namespace velmoran::test {
namespace {

using runtime::sim::SimCompositionController;
using webview::ComPtr;
using webview::TWVBrowserBase;

// Objects the runtime only passes on: the control never looks into them, so any address will do.
int gOpaqueObject = 0;
ICoreWebView2PointerInfo* PointerInfo() {
  return reinterpret_cast<ICoreWebView2PointerInfo*>(&gOpaqueObject);
}
IDataObject* DataObject() { return reinterpret_cast<IDataObject*>(&gOpaqueObject); }

class BrowserCompositionTest : public BrowserTest {
 protected:
  void CreateWindowlessNow() {
    StartRuntime();
    ASSERT_TRUE(browser->CreateWindowlessBrowser(host.Handle(), true));
    Pump();
  }
  SimCompositionController& Composition() {
    if (!side || side->CompositionControllers().empty())
      throw std::runtime_error("the runtime made no composition controller");
    return *side->CompositionControllers().back();
  }
};

struct CompositionMember {
  const char* name;
  std::function<bool(TWVBrowserBase&)> call;  // true when the control says it did something
};

const std::vector<CompositionMember>& CompositionMembers() {
  static const std::vector<CompositionMember> members = {
      {"SendMouseInput",
       [](TWVBrowserBase& b) {
         return b.SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND_MOVE,
                                 COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS_NONE, 0, POINT{1, 1});
       }},
      {"SendPointerInput",
       [](TWVBrowserBase& b) {
         return b.SendPointerInput(COREWEBVIEW2_POINTER_EVENT_KIND_DOWN, PointerInfo());
       }},
      {"SystemCursorId", [](TWVBrowserBase& b) { return b.SystemCursorId() != 0; }},
      {"DragEnter",
       [](TWVBrowserBase& b) {
         std::uint32_t effect = 1;
         return b.DragEnter(DataObject(), 0, POINT{2, 2}, effect);
       }},
      {"DragOver",
       [](TWVBrowserBase& b) {
         std::uint32_t effect = 1;
         return b.DragOver(0, POINT{2, 2}, effect);
       }},
      {"DragLeave", [](TWVBrowserBase& b) { return b.DragLeave(); }},
      {"Drop",
       [](TWVBrowserBase& b) {
         std::uint32_t effect = 1;
         return b.Drop(DataObject(), 0, POINT{2, 2}, effect);
       }},
      {"QueryNonClientRegion",
       [](TWVBrowserBase& b) {
         return static_cast<bool>(b.QueryNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND_CAPTION));
       }},
  };
  return members;
}

class CompositionMemberTest : public BrowserCompositionTest,
                              public testing::WithParamInterface<CompositionMember> {};

TEST_P(CompositionMemberTest, NothingBeforeInitializedNorInAWindowedBrowserButActsWindowless) {
  StartRuntime();
  EXPECT_FALSE(GetParam().call(*browser));
  ASSERT_TRUE(browser->CreateBrowser(host.Handle(), true));
  Pump();
  ASSERT_TRUE(browser->Initialized());
  EXPECT_FALSE(GetParam().call(*browser));

  browser->CloseBrowser();
  ASSERT_TRUE(browser->CreateWindowlessBrowser(host.Handle(), true));
  EXPECT_FALSE(GetParam().call(*browser));  // requested, not yet created
  Pump();
  ASSERT_TRUE(browser->Initialized());
  EXPECT_TRUE(GetParam().call(*browser));
}

INSTANTIATE_TEST_SUITE_P(Family, CompositionMemberTest, testing::ValuesIn(CompositionMembers()), CaseName());

TEST_F(BrowserCompositionTest, AWindowlessBrowserIsMadeFromTheCompositionControllerItIsGiven) {
  int completions = 0;
  browser->OnCompositionControllerCompleted = [&](TWVBrowserBase*) { ++completions; };
  CreateWindowlessNow();
  ASSERT_TRUE(browser->Initialized());
  EXPECT_TRUE(browser->UseCompositionController());
  EXPECT_EQ(completions, 1);
  EXPECT_TRUE(errors.empty());
  // The composition controller's own controller carries the webview, as a windowed one does.
  EXPECT_EQ(&Composition().Controller(), &Controller());
  EXPECT_EQ(Composition().Events().Count("CursorChanged"), 1u);
  EXPECT_EQ(Composition().Events().Count("NonClientRegionChanged"), 1u);
}

struct RefusedWindowless {
  const char* name;
  std::function<void(runtime::sim::SimRuntimeConfig&, runtime::sim::SimControllerConfig&)> arrange;
  bool requested;  // whether CreateWindowlessBrowser could start the request
  const char16_t* messageStart;
};

const std::vector<RefusedWindowless>& RefusedWindowlessCases() {
  static const std::vector<RefusedWindowless> cases = {
      {"EnvironmentWithoutVersion3",
       [](runtime::sim::SimRuntimeConfig& o, runtime::sim::SimControllerConfig&) {
         o.highestEnvironmentVersion = 2;
       },
       false, u"The environment doesn't support a composition controller."},
      {"RuntimeThatKnowsOtherIds",
       [](runtime::sim::SimRuntimeConfig&, runtime::sim::SimControllerConfig& c) {
         c.compositionControllerVersions = {0, {}};
       },
       true, u"The environment doesn't support a composition controller."},
      {"RequestRefused",
       [](runtime::sim::SimRuntimeConfig&, runtime::sim::SimControllerConfig& c) {
         c.createController.immediate = E_ACCESSDENIED;
       },
       false, u"There was an error creating the composition controller. (4)"},
      {"CompletionFailed",
       [](runtime::sim::SimRuntimeConfig&, runtime::sim::SimControllerConfig& c) {
         c.createController.completion = E_ABORT;
       },
       true, u"There was an error creating the composition controller. (2)"},
  };
  return cases;
}

class RefusedWindowlessTest : public BrowserCompositionTest,
                              public testing::WithParamInterface<RefusedWindowless> {};

TEST_P(RefusedWindowlessTest, EndsInOneInitializationErrorAndNoBrowser) {
  GetParam().arrange(options, choices);
  StartRuntime();
  EXPECT_EQ(browser->CreateWindowlessBrowser(host.Handle(), true), GetParam().requested);
  Pump();
  EXPECT_FALSE(browser->Initialized());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].message.rfind(GetParam().messageStart, 0), 0u)
      << std::string(errors[0].message.begin(), errors[0].message.end());
  EXPECT_FALSE(browser->SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND_MOVE,
                                       COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS_NONE, 0, POINT{1, 1}));
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedWindowlessTest, testing::ValuesIn(RefusedWindowlessCases()),
                         CaseName());

// Whether the loader's error log has a line naming `id`.
bool LogNames(std::u16string_view id) {
  for (const std::u16string& line : webview::SharedWebViewLoader()->ErrorLog())
    if (line.find(id) != std::u16string::npos) return true;
  return false;
}

TEST_F(BrowserCompositionTest, ARuntimeRefusingOurIdIsNamedInTheLoadersLog) {
  choices.compositionControllerVersions = {0, {}};
  CreateWindowlessNow();
  EXPECT_FALSE(browser->Initialized());
  EXPECT_TRUE(LogNames(u"{3FCAA4F8-300C-57DE-9667-E54ECAB5E270}"));
}

TEST_F(BrowserCompositionTest, AnOlderCompositionControllerAnswersOnlyWhatItsVersionsCarry) {
  choices.compositionControllerVersions = {2, {}};
  CreateWindowlessNow();
  ASSERT_TRUE(browser->Initialized());
  EXPECT_TRUE(browser->SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND_MOVE,
                                      COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS_NONE, 0, POINT{1, 1}));
  std::uint32_t effect = 1;
  EXPECT_FALSE(browser->DragOver(0, POINT{1, 1}, effect));
  EXPECT_FALSE(browser->QueryNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND_CAPTION));
  // Without version 4 there is no NonClientRegionChanged to subscribe; CursorChanged still is.
  EXPECT_EQ(Composition().Events().Count("CursorChanged"), 1u);
  EXPECT_EQ(Composition().Events().Count("NonClientRegionChanged"), 0u);
  EXPECT_TRUE(Composition().DragCalls().empty());
}

TEST_F(BrowserCompositionTest, InputAndDragsReachTheRuntimeWithTheirArguments) {
  CreateWindowlessNow();
  ASSERT_TRUE(browser->SendMouseInput(COREWEBVIEW2_MOUSE_EVENT_KIND_LEFT_BUTTON_DOWN,
                                      COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS_LEFT_BUTTON, 7, POINT{10, 20}));
  ASSERT_EQ(Composition().MouseInputs().size(), 1u);
  const runtime::sim::SimMouseInput& input = Composition().MouseInputs()[0];
  EXPECT_EQ(input.kind, COREWEBVIEW2_MOUSE_EVENT_KIND_LEFT_BUTTON_DOWN);
  EXPECT_EQ(input.virtualKeys, COREWEBVIEW2_MOUSE_EVENT_VIRTUAL_KEYS_LEFT_BUTTON);
  EXPECT_EQ(input.mouseData, 7u);
  EXPECT_EQ(input.point.x, 10);
  EXPECT_EQ(input.point.y, 20);

  // A null pointer information is the runtime's to refuse, and the control says so.
  EXPECT_FALSE(browser->SendPointerInput(COREWEBVIEW2_POINTER_EVENT_KIND_UP, nullptr));
  EXPECT_TRUE(browser->SendPointerInput(COREWEBVIEW2_POINTER_EVENT_KIND_UP, PointerInfo()));
  EXPECT_EQ(Composition().PointerInputs(),
            std::vector<COREWEBVIEW2_POINTER_EVENT_KIND>{COREWEBVIEW2_POINTER_EVENT_KIND_UP});

  Composition().SetDropEffect(2);  // the page takes a move only
  std::uint32_t effect = 3;        // the source allows copy and move
  EXPECT_TRUE(browser->DragEnter(DataObject(), 0, POINT{1, 1}, effect));
  EXPECT_EQ(effect, 2u);
  effect = 1;  // copy only: nothing the page takes
  EXPECT_TRUE(browser->DragOver(0, POINT{2, 2}, effect));
  EXPECT_EQ(effect, 0u);
  // A failed call leaves the effect as it was.
  runtime->SetCallResult("Drop", E_FAIL);
  effect = 3;
  EXPECT_FALSE(browser->Drop(DataObject(), 0, POINT{2, 2}, effect));
  EXPECT_EQ(effect, 3u);
  EXPECT_TRUE(browser->DragLeave());
  EXPECT_EQ(Composition().DragCalls(), (std::vector<std::string>{"DragEnter", "DragOver", "DragLeave"}));
}

TEST_F(BrowserCompositionTest, TheCursorChangesAndTheControlReadsTheNewOne) {
  std::vector<ICoreWebView2CompositionController*> senders;
  browser->OnCursorChanged = [&](TWVBrowserBase*, ICoreWebView2CompositionController* sender,
                                 IUnknown* args) {
    senders.push_back(sender);
    EXPECT_EQ(args, nullptr);
  };
  CreateWindowlessNow();
  EXPECT_EQ(browser->SystemCursorId(), 32512u);
  HCURSOR hand = reinterpret_cast<HCURSOR>(&gOpaqueObject);
  Composition().ChangeCursor(hand, 32649);
  EXPECT_TRUE(senders.empty());  // never inside the change itself
  Pump();
  ASSERT_EQ(senders.size(), 1u);
  EXPECT_EQ(static_cast<IUnknown*>(senders[0]), static_cast<IUnknown*>(&Composition()));
  EXPECT_EQ(browser->Cursor(), hand);
  EXPECT_EQ(browser->SystemCursorId(), 32649u);
}

TEST_F(BrowserCompositionTest, ANonClientRegionChangesAndTheControlFindsItsRectangles) {
  std::vector<COREWEBVIEW2_NON_CLIENT_REGION_KIND> kinds;
  browser->OnNonClientRegionChanged = [&](TWVBrowserBase*, ICoreWebView2CompositionController*,
                                          IUnknown* args) {
    ComPtr<ICoreWebView2NonClientRegionChangedEventArgs> changed;
    ASSERT_EQ(args->QueryInterface(IID_ICoreWebView2NonClientRegionChangedEventArgs, changed.PutVoid()),
              S_OK);
    COREWEBVIEW2_NON_CLIENT_REGION_KIND kind = COREWEBVIEW2_NON_CLIENT_REGION_KIND_NOWHERE;
    ASSERT_EQ(changed->get_RegionKind(&kind), S_OK);
    kinds.push_back(kind);
  };
  CreateWindowlessNow();
  EXPECT_EQ(browser->GetNonClientRegionAtPoint(POINT{5, 5}), COREWEBVIEW2_NON_CLIENT_REGION_KIND_NOWHERE);

  Composition().ChangeNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND_CAPTION, {RECT{0, 0, 100, 30}});
  Pump();
  EXPECT_EQ(kinds,
            std::vector<COREWEBVIEW2_NON_CLIENT_REGION_KIND>{COREWEBVIEW2_NON_CLIENT_REGION_KIND_CAPTION});
  EXPECT_EQ(browser->GetNonClientRegionAtPoint(POINT{5, 5}), COREWEBVIEW2_NON_CLIENT_REGION_KIND_CAPTION);
  EXPECT_EQ(browser->GetNonClientRegionAtPoint(POINT{5, 50}), COREWEBVIEW2_NON_CLIENT_REGION_KIND_NOWHERE);

  ComPtr<ICoreWebView2RegionRectCollectionView> rects =
      browser->QueryNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND_CAPTION);
  ASSERT_TRUE(rects);
  UINT32 count = 0;
  ASSERT_EQ(rects->get_Count(&count), S_OK);
  ASSERT_EQ(count, 1u);
  RECT rect{};
  ASSERT_EQ(rects->GetValueAtIndex(0, &rect), S_OK);
  EXPECT_EQ(rect.right, 100);
  EXPECT_EQ(rect.bottom, 30);

  runtime->SetCallResult("GetNonClientRegionAtPoint", E_FAIL);
  EXPECT_EQ(browser->GetNonClientRegionAtPoint(POINT{5, 5}), COREWEBVIEW2_NON_CLIENT_REGION_KIND_NOWHERE);
}

TEST_F(BrowserCompositionTest, ClosingTheBrowserRemovesTheCompositionControllersSubscriptions) {
  CreateWindowlessNow();
  ComPtr<SimCompositionController> kept(&Composition());
  browser->CloseBrowser();
  EXPECT_EQ(kept->Events().Count(), 0u);
  EXPECT_FALSE(browser->Initialized());
}

TEST_F(BrowserCompositionTest, ClosingAWindowlessBrowserReleasesWhatItHeld) {
  CreateWindowlessNow();
  browser->CloseBrowser();
  Pump();
  const std::size_t closed = runtime->LiveObjects();
  ASSERT_TRUE(browser->CreateWindowlessBrowser(host.Handle(), true));
  Pump();
  ASSERT_TRUE(browser->Initialized());
  Composition().ChangeNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND_CLOSE, {RECT{0, 0, 5, 5}});
  Pump();
  EXPECT_TRUE(browser->QueryNonClientRegion(COREWEBVIEW2_NON_CLIENT_REGION_KIND_CLOSE));
  browser->CloseBrowser();
  Pump();
  EXPECT_EQ(runtime->LiveObjects(), closed);
  EXPECT_TRUE(side->CompositionControllers().empty());
}

TEST_F(BrowserCompositionTest, TheRootVisualTargetIsPutAndReadBack) {
  CreateWindowlessNow();
  EXPECT_FALSE(browser->RootVisualTarget());
  ComPtr<IUnknown> target(static_cast<IUnknown*>(static_cast<ICoreWebView2Controller*>(&Controller())));
  EXPECT_TRUE(browser->SetRootVisualTarget(target.Get()));
  EXPECT_EQ(browser->RootVisualTarget().Get(), target.Get());
  EXPECT_TRUE(browser->SetRootVisualTarget(nullptr));
  // The automation provider is not simulated: the runtime's failure comes back as none.
  EXPECT_FALSE(browser->AutomationProvider());
}

}  // namespace
}  // namespace velmoran::test
