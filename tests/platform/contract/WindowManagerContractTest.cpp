#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/platform/contract/ContractBackend.h"
#include "tests/support/CaseName.h"

namespace velmoran::test {
namespace {

using platform::Message;
using platform::Rect;
using platform::WindowHandle;

constexpr std::uint32_t kWsExWindowEdge = 0x00000100;
constexpr std::uint32_t kMonitorInfoPrimary = 1;
constexpr std::uint32_t kAnswered = platform::kWmUser + 7;  // the recorder answers 1234 to it

// Records the messages of the project's own that reach it (and the few
// system ones the contract is about), passing everything on.
class Recorder final : public platform::WindowProcedure {
 public:
  explicit Recorder(platform::WindowManager& windows, platform::WindowProcRef next = 0)
      : windows_(windows), next_(next) {}

  std::intptr_t WindowProc(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override {
    const bool ours = message >= platform::kWmUser && message < platform::kWmUser + 0x100;
    if (ours || message == platform::kWmCreate || message == platform::kWmDestroy ||
        message == platform::kWmSize) {
      seen.push_back(Message{window, message, wParam, lParam});
    }
    if (message == kAnswered && next_ == 0) return 1234;
    return next_ != 0 ? windows_.CallWindowProcW(next_, window, message, wParam, lParam)
                      : windows_.DefWindowProcW(window, message, wParam, lParam);
  }
  void SetNext(platform::WindowProcRef next) { next_ = next; }

  std::vector<std::uint32_t> Kinds() const {
    std::vector<std::uint32_t> kinds;
    for (const Message& message : seen) kinds.push_back(message.message);
    return kinds;
  }

  std::vector<Message> seen;

 private:
  platform::WindowManager& windows_;
  platform::WindowProcRef next_;
};

class WindowManagerContract : public ::testing::Test {
 protected:
  ~WindowManagerContract() override {
    for (const WindowHandle window : created_) {
      if (windows_.IsWindow(window)) windows_.DestroyWindow(window);
    }
    // Nothing of one case may reach the next through the thread's queue.
    Message left;
    while (windows_.PeekMessageW(left, 0, 0, 0, platform::kPmRemove)) {
    }
  }

  WindowHandle Create(std::uint32_t style, Rect bounds, platform::WindowProcedure* procedure = nullptr,
                      WindowHandle parent = 0, std::u16string className = u"VelmoranContract",
                      std::u16string title = {}) {
    platform::WindowCreation creation;
    creation.className = std::move(className);
    creation.windowName = std::move(title);
    creation.style = style;
    creation.bounds = bounds;
    creation.parent = parent;
    creation.procedure = procedure;
    const WindowHandle window = windows_.CreateWindowExW(creation);
    if (window != 0) created_.push_back(window);
    return window;
  }
  std::uint32_t Style(WindowHandle window) {
    return static_cast<std::uint32_t>(windows_.GetWindowLongW(window, platform::kGwlStyle));
  }
  std::uint32_t ExStyle(WindowHandle window) {
    return static_cast<std::uint32_t>(windows_.GetWindowLongW(window, platform::kGwlExStyle));
  }
  // The frame a window's styles give it: negative left and top, positive right and bottom.
  Rect Frame(WindowHandle window) {
    Rect frame;
    windows_.AdjustWindowRectEx(frame, Style(window), false, ExStyle(window));
    return frame;
  }
  // Takes our messages (WM_USER...) off the queue in order, leaving the system's.
  std::vector<Message> TakeOurs() {
    std::vector<Message> taken;
    Message message;
    while (
        windows_.PeekMessageW(message, 0, platform::kWmUser, platform::kWmUser + 0xFF, platform::kPmRemove)) {
      taken.push_back(message);
    }
    return taken;
  }

  // Procedures outlive the windows that run them: the fixture destroys the
  // windows before its recorders go.
  Recorder& NewRecorder() { return *recorders_.emplace_back(std::make_unique<Recorder>(windows_)); }

  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
  platform::WindowManager& windows_ = backend_->Services().windows();
  std::vector<std::unique_ptr<Recorder>> recorders_;
  std::vector<WindowHandle> created_;
};

// --- Creation and styles -----------------------------------------------------

TEST_F(WindowManagerContract, OverlappedWindowLearnsItsClientSizeWhenFirstShown) {
  Recorder& recorder = NewRecorder();
  const WindowHandle window =
      Create(platform::kWsCaption | platform::kWsSysMenu, Rect{100, 100, 500, 400}, &recorder);
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(windows_.IsWindow(window));
  EXPECT_EQ(recorder.Kinds(), std::vector<std::uint32_t>{platform::kWmCreate})
      << "WM_CREATE before it returns";
  windows_.ShowWindow(window, platform::kSwShow);
  windows_.ShowWindow(window, platform::kSwHide);
  windows_.ShowWindow(window, platform::kSwShow);
  ASSERT_EQ(recorder.Kinds(), (std::vector<std::uint32_t>{platform::kWmCreate, platform::kWmSize}));
  Rect client;
  ASSERT_TRUE(windows_.GetClientRect(window, client));
  EXPECT_EQ(recorder.seen[1].wParam, platform::kSizeRestored);
  EXPECT_EQ(recorder.seen[1].lParam, client.Width() | (client.Height() << 16));
}

TEST_F(WindowManagerContract, PopupAndChildLearnTheirClientSizeAtCreation) {
  Recorder& popupRecorder = NewRecorder();
  const WindowHandle popup = Create(platform::kWsPopup, Rect{0, 0, 300, 200}, &popupRecorder);
  ASSERT_NE(popup, 0u);
  ASSERT_EQ(popupRecorder.Kinds(), (std::vector<std::uint32_t>{platform::kWmCreate, platform::kWmSize}));
  EXPECT_EQ(popupRecorder.seen[1].lParam, 300 | (200 << 16)) << "a plain popup has no frame";

  Recorder& childRecorder = NewRecorder();
  const WindowHandle child = Create(platform::kWsChild, Rect{10, 10, 110, 60}, &childRecorder, popup);
  ASSERT_NE(child, 0u);
  ASSERT_EQ(childRecorder.Kinds(), (std::vector<std::uint32_t>{platform::kWmCreate, platform::kWmSize}));
  EXPECT_EQ(childRecorder.seen[1].lParam, 100 | (50 << 16));
}

struct StyleCase {
  const char* name;
  std::uint32_t style;
  bool child;
  std::uint32_t expectedStyle;
  std::uint32_t expectedExStyle;
};

void PrintTo(const StyleCase& c, std::ostream* out) { *out << c.name; }

class WindowStyleTable : public WindowManagerContract, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(WindowStyleTable, SystemCompletesTheStyleAtCreation) {
  const StyleCase& c = GetParam();
  const WindowHandle parent = c.child ? Create(platform::kWsPopup, Rect{0, 0, 300, 300}) : 0;
  const WindowHandle window = Create(c.style, Rect{50, 50, 250, 200}, nullptr, parent);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(Style(window), c.expectedStyle);
  EXPECT_EQ(ExStyle(window), c.expectedExStyle);
}

// Top-level windows always clip their siblings; an overlapped window (neither
// popup nor child) always has a caption; a dialog or resizable frame gets the
// raised edge (WS_EX_WINDOWEDGE).
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, WindowStyleTable, ::testing::Values(
    //        name                               style                                                  child  style after   ex style after
    StyleCase{"OverlappedGetsACaption",          0,                                                     false, 0x04C00000u, kWsExWindowEdge},
    StyleCase{"CaptionAndSystemMenu",            platform::kWsCaption | platform::kWsSysMenu,           false, 0x04C80000u, kWsExWindowEdge},
    StyleCase{"ResizableWithBoxes",              0x00CF0000u,                                           false, 0x04CF0000u, kWsExWindowEdge},
    StyleCase{"PlainPopup",                      platform::kWsPopup,                                    false, 0x84000000u, 0},
    StyleCase{"PopupWithCaption",                platform::kWsPopup | platform::kWsCaption,             false, 0x84C00000u, kWsExWindowEdge},
    StyleCase{"ChildKeepsItsStyle",              platform::kWsChild,                                    true,  0x40000000u, 0},
    StyleCase{"ChildWithThinBorder",             platform::kWsChild | platform::kWsBorder,              true,  0x40800000u, 0}),
    CaseName());
// clang-format on

TEST_F(WindowManagerContract, StyleWordIsWrittenBackAsGivenButATopLevelWindowKeepsClippingSiblings) {
  const WindowHandle window =
      Create(platform::kWsCaption | platform::kWsSysMenu | platform::kWsThickFrame, Rect{10, 10, 410, 310});
  const std::uint32_t style = Style(window);
  // Entering full screen: the caption and the thick frame go, nothing else.
  const std::uint32_t bare = style & 0xFF3BFFFFu;
  EXPECT_EQ(static_cast<std::uint32_t>(
                windows_.SetWindowLongW(window, platform::kGwlStyle, static_cast<std::int32_t>(bare))),
            style);
  EXPECT_EQ(Style(window), bare);
  EXPECT_EQ(static_cast<std::uint32_t>(
                windows_.SetWindowLongW(window, platform::kGwlStyle, static_cast<std::int32_t>(style))),
            bare);
  EXPECT_EQ(Style(window), style);
  windows_.SetWindowLongW(window, platform::kGwlStyle, 0);
  EXPECT_EQ(Style(window), platform::kWsClipSiblings);
}

// --- Bounds and monitors -----------------------------------------------------

TEST_F(WindowManagerContract, ClientAreaIsTheBoundsLessTheFrameOfTheStyle) {
  const WindowHandle window = Create(platform::kWsCaption | platform::kWsSysMenu, Rect{100, 100, 500, 400});
  ASSERT_TRUE(
      windows_.SetWindowPos(window, 0, 120, 80, 640, 480, platform::kSwpNoZOrder | platform::kSwpNoActivate));
  Rect rect;
  ASSERT_TRUE(windows_.GetWindowRect(window, rect));
  EXPECT_EQ(rect, (Rect{120, 80, 760, 560}));
  const Rect frame = Frame(window);
  EXPECT_LT(frame.left, 0);
  EXPECT_LT(frame.top, frame.left) << "the caption bar adds to the top";
  Rect client;
  ASSERT_TRUE(windows_.GetClientRect(window, client));
  EXPECT_EQ(client, (Rect{0, 0, 640 - (frame.right - frame.left), 480 - (frame.bottom - frame.top)}));

  // A child is placed in its parent's client area.
  const WindowHandle child = Create(platform::kWsChild, Rect{10, 20, 110, 70}, nullptr, window);
  Rect childRect;
  ASSERT_TRUE(windows_.GetWindowRect(child, childRect));
  EXPECT_EQ(childRect,
            (Rect{120 - frame.left + 10, 80 - frame.top + 20, 120 - frame.left + 110, 80 - frame.top + 70}));
  ASSERT_TRUE(windows_.GetClientRect(child, client));
  EXPECT_EQ(client, (Rect{0, 0, 100, 50}));
}

TEST_F(WindowManagerContract, EveryWindowHasANearestMonitor) {
  const int screenWidth = windows_.GetSystemMetrics(platform::kSmCxScreen);
  const int screenHeight = windows_.GetSystemMetrics(platform::kSmCyScreen);
  ASSERT_GT(screenWidth, 0);
  ASSERT_GT(screenHeight, 0);
  const WindowHandle onScreen = Create(platform::kWsPopup, Rect{100, 100, 300, 300});
  const WindowHandle farAway = Create(platform::kWsPopup, Rect{-30000, -30000, -29900, -29900});
  for (const WindowHandle window : {onScreen, farAway}) {
    const platform::MonitorHandle monitor =
        windows_.MonitorFromWindow(window, platform::kMonitorDefaultToNearest);
    ASSERT_NE(monitor, 0u);
    platform::MonitorInfo info;
    ASSERT_TRUE(windows_.GetMonitorInfoW(monitor, info));
    EXPECT_GE(info.rcWork.left, info.rcMonitor.left);
    EXPECT_GE(info.rcWork.top, info.rcMonitor.top);
    EXPECT_LE(info.rcWork.right, info.rcMonitor.right);
    EXPECT_LE(info.rcWork.bottom, info.rcMonitor.bottom);
  }
  platform::MonitorInfo primary;
  ASSERT_TRUE(windows_.GetMonitorInfoW(
      windows_.MonitorFromWindow(onScreen, platform::kMonitorDefaultToNearest), primary));
  EXPECT_EQ(primary.dwFlags & kMonitorInfoPrimary, kMonitorInfoPrimary);
  EXPECT_EQ(primary.rcMonitor, (Rect{0, 0, screenWidth, screenHeight}))
      << "the primary monitor is the screen";
}

TEST_F(WindowManagerContract, ShowingAndHiding) {
  const WindowHandle parent = Create(platform::kWsPopup, Rect{100, 100, 300, 300});
  const WindowHandle child =
      Create(platform::kWsChild | platform::kWsVisible, Rect{0, 0, 50, 50}, nullptr, parent);
  EXPECT_FALSE(windows_.IsWindowVisible(parent));
  EXPECT_FALSE(windows_.IsWindowVisible(child)) << "visible only with its parent";
  EXPECT_FALSE(windows_.ShowWindow(parent, platform::kSwShow)) << "answers that it was hidden";
  EXPECT_TRUE(windows_.IsWindowVisible(parent));
  EXPECT_TRUE(windows_.IsWindowVisible(child));
  EXPECT_NE(Style(parent) & platform::kWsVisible, 0u);
  EXPECT_TRUE(windows_.ShowWindow(parent, platform::kSwHide));
  EXPECT_EQ(Style(parent) & platform::kWsVisible, 0u);
}

TEST_F(WindowManagerContract, MaximisedWindowSpansTheWorkAreaWithItsClientAndRestoresItsBounds) {
  Recorder& recorder = NewRecorder();
  const std::uint32_t style = platform::kWsCaption | platform::kWsSysMenu | platform::kWsThickFrame |
                              platform::kWsMinimizeBox | platform::kWsMaximizeBox;
  const Rect bounds{100, 100, 500, 400};
  const WindowHandle window = Create(style, bounds, &recorder);
  platform::MonitorInfo monitor;
  ASSERT_TRUE(windows_.GetMonitorInfoW(windows_.MonitorFromWindow(window, platform::kMonitorDefaultToNearest),
                                       monitor));
  const Rect frame = Frame(window);

  windows_.ShowWindow(window, platform::kSwShowMaximized);
  EXPECT_EQ(Style(window) & (platform::kWsMaximize | platform::kWsVisible),
            platform::kWsMaximize | platform::kWsVisible);
  // The frame's border hangs over the work area's edges.
  const Rect& work = monitor.rcWork;
  Rect rect;
  ASSERT_TRUE(windows_.GetWindowRect(window, rect));
  EXPECT_EQ(rect, (Rect{work.left + frame.left, work.top + frame.left, work.right - frame.left,
                        work.bottom - frame.left}));
  Rect client;
  ASSERT_TRUE(windows_.GetClientRect(window, client));
  EXPECT_EQ(client, (Rect{0, 0, work.Width(), work.Height() - (frame.left - frame.top)}));
  ASSERT_FALSE(recorder.seen.empty());
  EXPECT_EQ(recorder.seen.back().message, platform::kWmSize);
  EXPECT_EQ(recorder.seen.back().wParam, platform::kSizeMaximized);
  EXPECT_EQ(recorder.seen.back().lParam, client.Width() | (client.Height() << 16));

  windows_.ShowWindow(window, platform::kSwRestore);
  EXPECT_EQ(Style(window) & platform::kWsMaximize, 0u);
  ASSERT_TRUE(windows_.GetWindowRect(window, rect));
  EXPECT_EQ(rect, bounds);
  EXPECT_EQ(recorder.seen.back().message, platform::kWmSize);
  EXPECT_EQ(recorder.seen.back().wParam, platform::kSizeRestored);
}

// --- Text and lookup -----------------------------------------------------------

TEST_F(WindowManagerContract, TitlesAndChildLookup) {
  const WindowHandle parent =
      Create(platform::kWsPopup, Rect{0, 0, 200, 200}, nullptr, 0, u"VelmoranContract", u"벨모란 V.26.04.28");
  EXPECT_EQ(windows_.GetWindowTextW(parent), u"벨모란 V.26.04.28");
  ASSERT_TRUE(windows_.SetWindowTextW(parent, std::u16string(u"벨모란-VELMORAN\0x", 14)));
  EXPECT_EQ(windows_.GetWindowTextW(parent), u"벨모란-VELMORAN") << "the title ends at its first NUL";

  const WindowHandle host =
      Create(platform::kWsChild, Rect{0, 0, 10, 10}, nullptr, parent, u"VelmoranContractHost");
  const WindowHandle named =
      Create(platform::kWsChild, Rect{0, 0, 10, 10}, nullptr, parent, u"VelmoranContractHost", u"named");
  EXPECT_EQ(windows_.FindWindowExW(parent, 0, u"velmorancontracthost", u"named"), named)
      << "class names ignore case";
  EXPECT_EQ(windows_.FindWindowExW(parent, 0, u"VelmoranContractHost", u""), host)
      << "an empty title asks for an empty title";
  EXPECT_EQ(windows_.FindWindowExW(parent, 0, u"VelmoranContractNone", std::nullopt), 0u);
  const WindowHandle first = windows_.GetWindow(parent, platform::kGwChild);
  EXPECT_TRUE(first == host || first == named);
}

// --- The message queue -----------------------------------------------------------

TEST_F(WindowManagerContract, PostedMessagesWaitInOrderAndFiltersPickThem) {
  Recorder& recorder = NewRecorder();
  const WindowHandle window = Create(platform::kWsPopup, Rect{0, 0, 100, 100}, &recorder);
  ASSERT_TRUE(windows_.PostMessageW(window, platform::kWmUser + 1, 11, 0));
  ASSERT_TRUE(windows_.PostMessageW(0, platform::kWmUser + 2, 22, 0)) << "a thread message";
  ASSERT_TRUE(windows_.PostMessageW(window, platform::kWmUser + 3, 33, 0));
  EXPECT_EQ(recorder.seen.size(), 2u) << "posting runs nothing: only WM_CREATE and WM_SIZE so far";

  Message peeked;
  ASSERT_TRUE(windows_.PeekMessageW(peeked, 0, platform::kWmUser, platform::kWmUser + 0xFF, 0));
  EXPECT_EQ(peeked.wParam, 11u) << "a peek without PM_REMOVE leaves it queued";
  ASSERT_TRUE(
      windows_.PeekMessageW(peeked, 0, platform::kWmUser + 3, platform::kWmUser + 3, platform::kPmRemove));
  EXPECT_EQ(peeked.wParam, 33u);
  EXPECT_EQ(peeked.hwnd, window);

  const std::vector<Message> rest = TakeOurs();
  ASSERT_EQ(rest.size(), 2u);
  EXPECT_EQ(rest[0].wParam, 11u);
  EXPECT_EQ(rest[1].wParam, 22u);
  EXPECT_EQ(rest[1].hwnd, 0u);
  EXPECT_EQ(windows_.DispatchMessageW(rest[0]), 0);
  EXPECT_EQ(recorder.seen.back().wParam, 11u) << "dispatching calls the window's procedure";
  EXPECT_FALSE(windows_.PostMessageW(0x7FFF0000, platform::kWmUser, 0, 0)) << "no such window";
}

TEST_F(WindowManagerContract, SentMessageRunsTheProcedureAtOnceAndAnswers) {
  Recorder& recorder = NewRecorder();
  const WindowHandle window = Create(platform::kWsPopup, Rect{0, 0, 100, 100}, &recorder);
  EXPECT_EQ(windows_.SendMessageW(window, kAnswered, 5, 6), 1234);
  EXPECT_EQ(recorder.seen.back().message, kAnswered);
  EXPECT_EQ(recorder.seen.back().lParam, 6);
  Message message{window, kAnswered, 0, 0};
  EXPECT_EQ(windows_.DispatchMessageW(message), 1234);
}

TEST_F(WindowManagerContract, QuitComesOnceAfterThePostedMessages) {
  Recorder& recorder = NewRecorder();
  const WindowHandle window = Create(platform::kWsPopup, Rect{0, 0, 100, 100}, &recorder);
  windows_.PostMessageW(window, platform::kWmUser + 1, 1, 0);
  windows_.PostQuitMessage(7);
  windows_.PostMessageW(window, platform::kWmUser + 2, 2, 0);
  std::vector<std::uintptr_t> ours;
  Message message;
  std::int32_t result = 0;
  while ((result = windows_.GetMessageW(message, 0, 0, 0)) > 0) {
    if (message.message >= platform::kWmUser) ours.push_back(message.wParam);
    windows_.DispatchMessageW(message);
  }
  EXPECT_EQ(result, 0);
  EXPECT_EQ(message.message, platform::kWmQuit);
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_EQ(ours, (std::vector<std::uintptr_t>{1, 2}));
  EXPECT_FALSE(windows_.PeekMessageW(message, 0, platform::kWmQuit, platform::kWmQuit, platform::kPmRemove));
}

// --- Window procedures -----------------------------------------------------------

TEST_F(WindowManagerContract, ReplacedProcedureCanHandOnToTheOneItReplaced) {
  Recorder& original = NewRecorder();
  const WindowHandle window = Create(platform::kWsPopup, Rect{0, 0, 100, 100}, &original);
  const platform::WindowProcRef originalRef = windows_.GetWindowProcW(window);
  EXPECT_EQ(originalRef, windows_.WindowProcRefOf(original));

  Recorder& replacement = NewRecorder();
  const platform::WindowProcRef previous =
      windows_.SetWindowProcW(window, windows_.WindowProcRefOf(replacement));
  EXPECT_EQ(previous, originalRef);
  EXPECT_EQ(windows_.GetWindowProcW(window), windows_.WindowProcRefOf(replacement));
  replacement.SetNext(previous);
  EXPECT_EQ(windows_.SendMessageW(window, kAnswered, 0, 0), 1234) << "answered by the original";
  EXPECT_EQ(replacement.seen.back().message, kAnswered);
  EXPECT_EQ(original.seen.back().message, kAnswered);

  EXPECT_EQ(windows_.SetWindowProcW(window, previous), windows_.WindowProcRefOf(replacement));
  original.seen.clear();
  replacement.seen.clear();
  windows_.SendMessageW(window, platform::kWmUser + 4, 0, 0);
  EXPECT_EQ(original.seen.size(), 1u);
  EXPECT_TRUE(replacement.seen.empty());
}

TEST_F(WindowManagerContract, DestroyingAWindowTellsItBeforeItsChildren) {
  Recorder& recorder = NewRecorder();
  const WindowHandle parent = Create(platform::kWsPopup, Rect{0, 0, 100, 100}, &recorder);
  const WindowHandle child = Create(platform::kWsChild, Rect{0, 0, 10, 10}, &recorder, parent);
  recorder.seen.clear();
  ASSERT_TRUE(windows_.DestroyWindow(parent));
  EXPECT_FALSE(windows_.IsWindow(parent));
  EXPECT_FALSE(windows_.IsWindow(child));
  ASSERT_EQ(recorder.Kinds(), (std::vector<std::uint32_t>{platform::kWmDestroy, platform::kWmDestroy}));
  EXPECT_EQ(recorder.seen[0].hwnd, parent);
  EXPECT_EQ(recorder.seen[1].hwnd, child);
  EXPECT_FALSE(windows_.DestroyWindow(parent));
}

TEST_F(WindowManagerContract, DefaultHandlingOfCloseDestroysTheWindow) {
  Recorder& recorder = NewRecorder();
  const WindowHandle window = Create(platform::kWsPopup, Rect{0, 0, 100, 100}, &recorder);
  windows_.SendMessageW(window, platform::kWmClose, 0, 0);
  EXPECT_FALSE(windows_.IsWindow(window));
  EXPECT_EQ(recorder.seen.back().message, platform::kWmDestroy);
}

}  // namespace
}  // namespace velmoran::test
