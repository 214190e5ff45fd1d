#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/SimWindowManager.h"

namespace velmoran::test {
namespace {

using platform::kGwChild;
using platform::kGwlStyle;
using platform::kIdCancel;
using platform::kIdOk;
using platform::kMbIconError;
using platform::kMbOk;
using platform::kMonitorDefaultToNearest;
using platform::kPmRemove;
using platform::kSwRestore;
using platform::kSwShowMaximized;
using platform::kWmQuit;
using platform::kWmUser;
using platform::kWsCaption;
using platform::kWsChild;
using platform::kWsMaximize;
using platform::kWsSysMenu;
using platform::Message;
using platform::MonitorInfo;
using platform::Rect;
using platform::WindowCreation;
using platform::WindowHandle;
using platform::sim::SimWindowManager;

WindowHandle CreateTopLevel(SimWindowManager& windows, std::u16string className, Rect bounds,
                            std::u16string title = {}) {
  WindowCreation creation;
  creation.className = std::move(className);
  creation.windowName = std::move(title);
  creation.style = kWsCaption | kWsSysMenu;
  creation.bounds = bounds;
  return windows.CreateWindowExW(creation);
}

TEST(SimWindowManager, QuitRequestComesOnceAndOnlyAfterThePostedMessages) {
  SimWindowManager windows;
  const WindowHandle window = CreateTopLevel(windows, u"A", Rect{0, 0, 100, 100});
  windows.PostMessageW(window, kWmUser, 1, 0);
  windows.PostQuitMessage(7);
  windows.PostMessageW(window, kWmUser, 2, 0);

  Message message;
  ASSERT_TRUE(windows.PeekMessageW(message, 0, 0, 0, 0));
  EXPECT_EQ(message.wParam, 1u) << "a peek without PM_REMOVE leaves the message queued";
  EXPECT_EQ(windows.GetMessageW(message, 0, 0, 0), 1);
  EXPECT_EQ(message.wParam, 1u);
  EXPECT_EQ(windows.GetMessageW(message, 0, 0, 0), 1);
  EXPECT_EQ(message.wParam, 2u);
  EXPECT_EQ(windows.GetMessageW(message, 0, 0, 0), 0);
  EXPECT_EQ(message.message, kWmQuit);
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_FALSE(windows.PeekMessageW(message, 0, 0, 0, kPmRemove));
}

TEST(SimWindowManager, PostedCallbackRunsOnlyWhenItsMessageIsDispatched) {
  SimWindowManager windows;
  int runs = 0;
  windows.PostCallback([&runs] { ++runs; });
  EXPECT_EQ(runs, 0);
  Message message;
  ASSERT_TRUE(windows.PeekMessageW(message, 0, 0, 0, kPmRemove));
  EXPECT_EQ(runs, 0);
  windows.DispatchMessageW(message);
  windows.DispatchMessageW(message);  // the same message again runs nothing more
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(windows.LiveWindows(), 0u) << "the callbacks' hidden window is not the caller's";
}

TEST(SimWindowManager, MessageBoxesAreRecordedAndAnswered) {
  SimWindowManager windows;
  EXPECT_EQ(windows.MessageBoxW(0, u"text", u"caption", kMbOk), kIdOk);
  windows.SetMessageBoxHandler([](const SimWindowManager::MessageBoxRecord&) { return kIdCancel; });
  EXPECT_EQ(windows.MessageBoxW(0x10, u"second", u"", kMbIconError), kIdCancel);
  const auto& boxes = windows.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u"text");
  EXPECT_EQ(boxes[0].caption, u"caption");
  EXPECT_EQ(boxes[0].flags, kMbOk);
  EXPECT_EQ(boxes[1].owner, 0x10u);
  EXPECT_EQ(boxes[1].flags, kMbIconError);
}

TEST(SimWindowManager, NearestMonitorIsTheOneOverlappedMostOrElseTheClosest) {
  const MonitorInfo left{Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 1040}, 1};
  const MonitorInfo right{Rect{1920, -200, 3200, 824}, Rect{1920, -200, 3200, 784}, 0};
  struct Case {
    Rect window;
    Rect expectedMonitor;
  };
  const Case cases[] = {
      {Rect{100, 100, 500, 400}, left.rcMonitor},
      {Rect{1800, 0, 2400, 400}, right.rcMonitor},  // more of it on the right monitor
      {Rect{1500, 0, 2000, 400}, left.rcMonitor},
      {Rect{5000, 0, 5100, 100}, right.rcMonitor},  // on none: the closest
      {Rect{-900, 500, -800, 600}, left.rcMonitor},
  };
  SimWindowManager windows;
  windows.SetMonitors({left, right});
  for (const Case& c : cases) {
    const WindowHandle window = CreateTopLevel(windows, u"A", c.window);
    MonitorInfo info;
    ASSERT_TRUE(windows.GetMonitorInfoW(windows.MonitorFromWindow(window, kMonitorDefaultToNearest), info));
    EXPECT_EQ(info.rcMonitor, c.expectedMonitor) << c.window.left << "," << c.window.top;
  }
}

TEST(SimWindowManager, MaximisedWindowSpansTheWorkAreaAndRestoresItsBounds) {
  SimWindowManager windows;
  const Rect bounds{100, 100, 600, 500};
  const WindowHandle window = CreateTopLevel(windows, u"A", bounds);
  windows.ShowWindow(window, kSwShowMaximized);
  Rect rect;
  windows.GetWindowRect(window, rect);
  // The thin frame's border (3 pixels) hangs over the 1920 x 1040 work area.
  EXPECT_EQ(rect, (Rect{-3, -3, 1923, 1043}));
  windows.GetClientRect(window, rect);
  EXPECT_EQ(rect, (Rect{0, 0, 1920, 1040 - SimWindowManager::kSimCaption}));
  EXPECT_TRUE(static_cast<std::uint32_t>(windows.GetWindowLongW(window, kGwlStyle)) & kWsMaximize);
  windows.ShowWindow(window, kSwRestore);
  windows.GetWindowRect(window, rect);
  EXPECT_EQ(rect, bounds);
}

TEST(SimWindowManager, ChildLookupByClassAndTitle) {
  SimWindowManager windows;
  const WindowHandle parent = CreateTopLevel(windows, u"Parent", Rect{0, 0, 100, 100});
  auto child = [&](std::u16string className, std::u16string title) {
    WindowCreation creation;
    creation.className = std::move(className);
    creation.windowName = std::move(title);
    creation.style = kWsChild;
    creation.parent = parent;
    return windows.CreateWindowExW(creation);
  };
  const WindowHandle first = child(u"Host", u"");
  const WindowHandle second = child(u"Host", u"named");
  const WindowHandle third = child(u"Other", u"named");

  EXPECT_EQ(windows.GetWindow(parent, kGwChild), first);
  EXPECT_EQ(windows.FindWindowExW(parent, 0, u"HOST", std::nullopt), first) << "class names ignore case";
  EXPECT_EQ(windows.FindWindowExW(parent, first, u"Host", std::nullopt), second);
  EXPECT_EQ(windows.FindWindowExW(parent, 0, std::nullopt, u"named"), second);
  EXPECT_EQ(windows.FindWindowExW(parent, second, std::nullopt, u"named"), third);
  EXPECT_EQ(windows.FindWindowExW(parent, 0, u"Other", u""), 0u) << "an empty title asks for an empty title";
  EXPECT_EQ(windows.FindWindowExW(parent, third, std::nullopt, std::nullopt), 0u);
}

}  // namespace
}  // namespace velmoran::test
