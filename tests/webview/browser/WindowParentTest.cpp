// The host window on its own: sizing, erasing and re-creation without a live
// browser (the browser's side of those paths is in WindowParentBrowserTest).

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "platform/sim/SimPlatform.h"
#include "tests/support/TempFolder.h"
#include "tests/webview/browser/DefaultHandlingRecorder.h"
#include "tests/webview/browser/FailingWindowParent.h"
#include "webview/browser/TWVBrowser.h"
#include "webview/browser/TWVWindowParent.h"

namespace velmoran::test {
namespace {

using webview::TWVBrowser;
using webview::TWVWindowParent;

using namespace platform;

class WindowParentTest : public ::testing::Test {
 protected:
  WindowParentTest() : sim(temp.path()), windows(sim.windows()) {
    WindowCreation form;
    form.className = u"TForm";
    form.style = kWsVisible;
    form.bounds = Rect{100, 100, 900, 700};
    formHandle = windows.CreateWindowExW(form);
    EXPECT_TRUE(host.CreateHandle(formHandle, [this] { ++realigns; }));
    windows.SetWindowPos(host.Handle(), 0, 0, 0, 640, 480, kSwpNoZOrder);
  }

  WindowHandle AddChild() {
    WindowCreation child;
    child.className = u"Chrome_WidgetWin_0";
    child.style = kWsChild | kWsVisible;
    child.parent = host.Handle();
    child.bounds = Rect{5, 7, 50, 60};
    return windows.CreateWindowExW(child);
  }

  Rect ScreenRect(WindowHandle window) {
    Rect rect;
    windows.GetWindowRect(window, rect);
    return rect;
  }

  TempFolder temp;
  sim::SimPlatform sim;
  sim::SimWindowManager& windows;
  WindowHandle formHandle = 0;
  int realigns = 0;
  DefaultHandlingRecorder recorder{sim.windows()};
  FailingWindowParent host{recorder};
};

TEST_F(WindowParentTest, ChildWindowHandleIsTheFirstChildOnceThereIsOne) {
  EXPECT_EQ(host.ChildWindowHandle(), 0u);
  const WindowHandle child = AddChild();
  EXPECT_EQ(host.ChildWindowHandle(), child);
  host.DestroyHandle();
  EXPECT_EQ(host.ChildWindowHandle(), 0u);
}

TEST_F(WindowParentTest, WithoutBrowserUpdateSizeFillsTheClientAreaWithTheChild) {
  const WindowHandle child = AddChild();
  host.UpdateSize();
  Rect client;
  windows.GetClientRect(child, client);
  EXPECT_EQ(client, (Rect{0, 0, 640, 480}));
  EXPECT_EQ(ScreenRect(child), ScreenRect(host.Handle()));
}

TEST_F(WindowParentTest, WithoutBrowserAResizeResizesTheChild) {
  const WindowHandle child = AddChild();
  windows.SetWindowPos(host.Handle(), 0, 0, 0, 300, 200, kSwpNoZOrder);
  Rect client;
  windows.GetClientRect(child, client);
  EXPECT_EQ(client, (Rect{0, 0, 300, 200}));
}

TEST_F(WindowParentTest, EraseIsTheSystemsDefaultUntilTheRuntimeWindowIsInside) {
  // The system's default erase is what paints the background; without it the
  // host stays black until the browser exists.
  windows.SendMessageW(host.Handle(), kWmEraseBkgnd, 0x1234, 0);
  EXPECT_EQ(recorder.DefaultHandlingsOf(kWmEraseBkgnd), 1u);
  AddChild();
  windows.SendMessageW(host.Handle(), kWmEraseBkgnd, 0x1234, 0);
  EXPECT_EQ(recorder.DefaultHandlingsOf(kWmEraseBkgnd), 1u);
}

TEST_F(WindowParentTest, BrowserDestroyedFirstIsForgottenAndTheChildIsSizedDirectly) {
  auto browser = std::make_unique<TWVBrowser>(sim);
  host.SetBrowser(browser.get());
  const WindowHandle child = AddChild();
  browser.reset();
  EXPECT_EQ(host.Browser(), nullptr);
  windows.SetWindowPos(host.Handle(), 0, 0, 0, 320, 240, kSwpNoZOrder);
  Rect client;
  windows.GetClientRect(child, client);
  EXPECT_EQ(client, (Rect{0, 0, 320, 240}));
}

TEST(WindowParentLifetimeTest, HostDestroyedFirstLeavesTheBrowserWhole) {
  TempFolder temp;
  sim::SimPlatform sim(temp.path());
  TWVBrowser browser(sim);
  {
    TWVWindowParent host(sim.windows());
    host.SetBrowser(&browser);
  }
  // The browser must not tell a host that is gone; reaching here whole is the test (and ASan's).
  SUCCEED();
}

TEST_F(WindowParentTest, RecreationMakesANewHandleInTheSameParentAndRealigns) {
  const WindowHandle before = host.Handle();
  host.RecreateWnd();
  EXPECT_NE(host.Handle(), 0u);
  EXPECT_NE(host.Handle(), before);
  EXPECT_FALSE(windows.IsWindow(before));
  EXPECT_EQ(windows.Parent(host.Handle()), formHandle);
  EXPECT_EQ(realigns, 1);
}

TEST_F(WindowParentTest, AFailedRecreationReachesTheCaller) {
  host.failNextCreation = true;
  EXPECT_THROW(host.RecreateWnd(), std::runtime_error);
  EXPECT_EQ(host.Handle(), 0u);
}

}  // namespace
}  // namespace velmoran::test
