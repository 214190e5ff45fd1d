// The host window with a live browser inside: bounds follow the client area,
// focus moves into the page, and re-creating the host's handle detaches and
// re-attaches the browser.

#include <stdexcept>

#include "tests/support/CaseName.h"
#include "tests/webview/browser/BrowserFixture.h"
#include "tests/webview/browser/FailingWindowParent.h"

namespace velmoran::test {
namespace {

using webview::TWVBrowserBase;

using platform::Rect;

Rect AsRect(const RECT& rect) { return Rect{rect.left, rect.top, rect.right, rect.bottom}; }

class WindowParentBrowserTest : public BrowserTest {
 protected:
  void CreateSizedBrowser() {
    browser->OnAfterCreated = [this](TWVBrowserBase*) { host.UpdateSize(); };
    CreateBrowserNow();
  }
  void ResizeHost(std::int32_t width, std::int32_t height) {
    windows.SetWindowPos(host.Handle(), 0, 0, 0, width, height, platform::kSwpNoZOrder);
  }
  BOOL ControllerIsVisible() {
    BOOL visible = FALSE;
    Controller().get_IsVisible(&visible);
    return visible;
  }
  platform::WindowHandle ControllerParent() {
    HWND parent = nullptr;
    Controller().get_ParentWindow(&parent);
    return reinterpret_cast<platform::WindowHandle>(parent);
  }
};

TEST_F(WindowParentBrowserTest, ResizesBeforeTheBrowserExistsCountOnlyThroughAfterCreated) {
  ResizeHost(500, 400);  // nothing to size yet
  CreateSizedBrowser();
  ASSERT_EQ(Controller().BoundsHistory().size(), 1u);
  EXPECT_EQ(AsRect(Controller().BoundsHistory().back()), (Rect{0, 0, 500, 400}));
}

TEST_F(WindowParentBrowserTest, AResizeSetsTheBoundsToTheNewClientArea) {
  CreateSizedBrowser();
  ResizeHost(1234, 567);
  EXPECT_EQ(AsRect(Controller().BoundsHistory().back()), (Rect{0, 0, 1234, 567}));
  EXPECT_EQ(browser->Bounds(), (Rect{0, 0, 1234, 567}));
}

TEST_F(WindowParentBrowserTest, EraseIsSwallowedOnceTheRuntimeWindowIsInside) {
  CreateSizedBrowser();
  ASSERT_NE(host.ChildWindowHandle(), 0u);
  EXPECT_EQ(windows.SendMessageW(host.Handle(), platform::kWmEraseBkgnd, 0, 0), 0);
}

TEST_F(WindowParentBrowserTest, FocusingTheHostMovesTheFocusIntoThePage) {
  CreateSizedBrowser();
  host.SetFocus();
  ASSERT_FALSE(Controller().MoveFocusReasons().empty());
  for (COREWEBVIEW2_MOVE_FOCUS_REASON reason : Controller().MoveFocusReasons()) {
    EXPECT_EQ(reason, COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC);
  }
}

// The browser's state when the old host handle goes, and after the re-creation.
struct RecreationCase {
  const char* name;
  bool visibleBefore;
};

class WindowParentRecreationTest : public WindowParentBrowserTest,
                                   public testing::WithParamInterface<RecreationCase> {};

TEST_P(WindowParentRecreationTest, DetachesBeforeTheOldHandleGoesAndReattachesAfter) {
  CreateSizedBrowser();
  ASSERT_TRUE(browser->SetIsVisible(GetParam().visibleBefore));
  const platform::WindowHandle oldHandle = host.Handle();
  BOOL visibleAtDestroy = TRUE;
  platform::WindowHandle parentAtDestroy = oldHandle;
  windows.SetDestroyObserver([&](platform::WindowHandle window) {
    if (window != oldHandle) return;
    visibleAtDestroy = ControllerIsVisible();
    parentAtDestroy = ControllerParent();
  });

  host.RecreateWnd();
  windows.SetDestroyObserver(nullptr);

  EXPECT_EQ(visibleAtDestroy, FALSE);
  EXPECT_EQ(parentAtDestroy, 0u);
  EXPECT_NE(host.Handle(), oldHandle);
  EXPECT_EQ(ControllerParent(), host.Handle());
  EXPECT_EQ(ControllerIsVisible() != FALSE, GetParam().visibleBefore);
}

INSTANTIATE_TEST_SUITE_P(States, WindowParentRecreationTest,
                         testing::Values(RecreationCase{"Visible", true}, RecreationCase{"Hidden", false}),
                         CaseName());

TEST_F(WindowParentBrowserTest, AFailedRecreationStillReattachesAndRestoresVisibility) {
  FailingWindowParent failing(sim.windows());
  failing.CreateHandle(formHandle);
  browser->OnAfterCreated = [&](TWVBrowserBase*) { failing.UpdateSize(); };
  host.SetBrowser(nullptr);
  failing.SetBrowser(browser.get());
  StartRuntime();
  ASSERT_TRUE(browser->CreateBrowser(failing.Handle(), true));
  Pump();
  ASSERT_TRUE(browser->Initialized());

  failing.failNextCreation = true;
  EXPECT_THROW(failing.RecreateWnd(), std::runtime_error);
  // Whatever handle the host has now (none) is the browser's parent, and it is visible as before.
  EXPECT_EQ(ControllerParent(), failing.Handle());
  EXPECT_EQ(ControllerIsVisible(), TRUE);
  failing.SetBrowser(nullptr);
}

}  // namespace
}  // namespace velmoran::test
