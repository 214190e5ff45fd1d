#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/CaseName.h"
#include "tests/webview/sinks/RecordingEvents.h"
#include "webview/sinks/CoreWebView2FrameSinks.h"
#include "webview/sinks/CoreWebView2Sinks.h"

namespace velmoran::test {
namespace {

using webview::AsWideText;
using webview::ComPtr;
using webview::DualSink;
using webview::IWVBrowserEvents;
using webview::IWVLoaderEvents;
using webview::MakeComObject;
using webview::TCoreWebView2BrowserProcessExitedEventHandler;
using webview::TCoreWebView2ExecuteScriptCompletedHandler;
using webview::TCoreWebView2FrameNameChangedEventHandler;
using webview::TCoreWebView2FrameNavigationCompletedEventHandler;
using webview::TCoreWebView2FrameNavigationStartingEventHandler;
using webview::TCoreWebView2GotFocusEventHandler;
using webview::TCoreWebView2LostFocusEventHandler;
using webview::TCoreWebView2NavigationCompletedEventHandler;
using webview::TCoreWebView2NavigationStartingEventHandler;
using webview::TCoreWebView2NewBrowserVersionAvailableEventHandler;
using webview::TCoreWebView2ProcessInfosChangedEventHandler;
using webview::TCoreWebView2StateChangedEventHandler;
using webview::TCoreWebView2WebMessageReceivedEventHandler;

template <typename T>
std::uintptr_t Bits(T value) {
  if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<std::uintptr_t>(value);
  } else {
    return static_cast<std::uintptr_t>(value);
  }
}

// Stand-ins for the runtime's objects: sinks pass them through unread.
template <typename T>
T* Fake(std::uintptr_t address) {
  return reinterpret_cast<T*>(address);
}

TEST(SinkTest, PassesTheRuntimeArgumentsUnchangedAndAnswersWhatTheFaceAnswers) {
  RecordingBrowserEvents events;
  events.answer = E_ABORT;
  auto sink = MakeComObject<TCoreWebView2WebMessageReceivedEventHandler>(&events);
  auto* sender = Fake<ICoreWebView2>(0x1000);
  auto* args = Fake<ICoreWebView2WebMessageReceivedEventArgs>(0x2000);

  EXPECT_EQ(sink->Invoke(sender, args), E_ABORT);

  ASSERT_EQ(events.calls.size(), 1u);
  EXPECT_EQ(events.calls[0].name, u"WebMessageReceived");
  EXPECT_EQ(events.calls[0].arguments, (std::vector<std::uintptr_t>{Bits(sender), Bits(args)}));
}

// A frame's or a download's sink hands the control's number for it after the runtime's arguments.
TEST(SinkTest, AnIdSinkHandsItsIdAfterTheRuntimeArguments) {
  RecordingBrowserEvents events;
  auto frameSink = MakeComObject<TCoreWebView2FrameNameChangedEventHandler>(&events, 7u);
  auto downloadSink = MakeComObject<TCoreWebView2StateChangedEventHandler>(&events, 9);
  auto* frame = Fake<ICoreWebView2Frame>(0x3000);
  auto* download = Fake<ICoreWebView2DownloadOperation>(0x4000);

  EXPECT_EQ(frameSink->Invoke(frame, nullptr), S_OK);
  EXPECT_EQ(downloadSink->Invoke(download, nullptr), S_OK);

  ASSERT_EQ(events.calls.size(), 2u);
  EXPECT_EQ(events.calls[0].name, u"FrameNameChanged");
  EXPECT_EQ(events.calls[0].arguments, (std::vector<std::uintptr_t>{Bits(frame), 0, 7}));
  EXPECT_EQ(events.calls[1].name, u"DownloadStateChanged");
  EXPECT_EQ(events.calls[1].arguments, (std::vector<std::uintptr_t>{Bits(download), 0, 9}));
}

// Two events share each of these handler interfaces; each sink must reach its own event.
struct SharedInterfaceCase {
  const char* label;
  std::function<HRESULT(IWVBrowserEvents*)> invoke;
  const char16_t* expected;
};

template <typename Sink, typename Sender, typename Args>
std::function<HRESULT(IWVBrowserEvents*)> InvokeEvent() {
  return [](IWVBrowserEvents* events) {
    auto sink = MakeComObject<Sink>(events);
    return sink->Invoke(Fake<Sender>(0x10), Fake<Args>(0x20));
  };
}

class SharedInterfaceTest : public testing::TestWithParam<SharedInterfaceCase> {};

TEST_P(SharedInterfaceTest, ReachesTheMethodOfItsOwnEvent) {
  RecordingBrowserEvents events;
  EXPECT_EQ(GetParam().invoke(&events), S_OK);
  ASSERT_EQ(events.calls.size(), 1u);
  EXPECT_EQ(events.calls[0].name, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Events, SharedInterfaceTest,
    testing::Values(
        SharedInterfaceCase{"NavigationStarting",
                            InvokeEvent<TCoreWebView2NavigationStartingEventHandler, ICoreWebView2,
                                        ICoreWebView2NavigationStartingEventArgs>(),
                            u"NavigationStarting"},
        SharedInterfaceCase{"FrameNavigationStarting",
                            InvokeEvent<TCoreWebView2FrameNavigationStartingEventHandler, ICoreWebView2,
                                        ICoreWebView2NavigationStartingEventArgs>(),
                            u"FrameNavigationStarting"},
        SharedInterfaceCase{"NavigationCompleted",
                            InvokeEvent<TCoreWebView2NavigationCompletedEventHandler, ICoreWebView2,
                                        ICoreWebView2NavigationCompletedEventArgs>(),
                            u"NavigationCompleted"},
        SharedInterfaceCase{"FrameNavigationCompleted",
                            InvokeEvent<TCoreWebView2FrameNavigationCompletedEventHandler, ICoreWebView2,
                                        ICoreWebView2NavigationCompletedEventArgs>(),
                            u"FrameNavigationCompleted"},
        SharedInterfaceCase{
            "GotFocus", InvokeEvent<TCoreWebView2GotFocusEventHandler, ICoreWebView2Controller, IUnknown>(),
            u"GotFocus"},
        SharedInterfaceCase{
            "LostFocus", InvokeEvent<TCoreWebView2LostFocusEventHandler, ICoreWebView2Controller, IUnknown>(),
            u"LostFocus"}),
    [](const auto& testInfo) { return TestNameFrom(testInfo.param.label); });

TEST(SinkTest, AnswersItsOwnHandlerInterfaceAndNoOther) {
  RecordingBrowserEvents events;
  auto sink = MakeComObject<TCoreWebView2ExecuteScriptCompletedHandler>(&events, 0);
  ComPtr<ICoreWebView2ExecuteScriptCompletedHandler> asHandler;
  ComPtr<ICoreWebView2WebMessageReceivedEventHandler> asOther;
  EXPECT_EQ(sink.As(asHandler), S_OK);
  EXPECT_EQ(sink.As(asOther), E_NOINTERFACE);
}

TEST(SinkTest, ScriptCompletionBringsBackTheCallersExecutionId) {
  RecordingBrowserEvents events;
  auto sink = MakeComObject<TCoreWebView2ExecuteScriptCompletedHandler>(&events, 10001);
  const char16_t resultText[] = u"\"done\"";
  LPCWSTR result = AsWideText(resultText);

  EXPECT_EQ(sink->Invoke(E_INVALIDARG, result), S_OK);

  ASSERT_EQ(events.calls.size(), 1u);
  EXPECT_EQ(events.calls[0].name, u"ExecuteScriptCompleted");
  EXPECT_EQ(events.calls[0].arguments,
            (std::vector<std::uintptr_t>{Bits(E_INVALIDARG), Bits(result), Bits(std::int32_t{10001})}));
}

TEST(DualSinkTest, MadeForTheLoaderReachesTheLoader) {
  RecordingLoaderEvents loader;
  auto sink = MakeComObject<TCoreWebView2BrowserProcessExitedEventHandler>(&loader);
  auto* sender = Fake<ICoreWebView2Environment>(0x30);

  EXPECT_EQ(sink->Invoke(sender, nullptr), S_OK);

  ASSERT_EQ(loader.calls.size(), 1u);
  EXPECT_EQ(loader.calls[0].name, u"BrowserProcessExited");
  EXPECT_EQ(loader.calls[0].arguments[0], Bits(sender));
}

TEST(DualSinkTest, MadeForABrowserReachesTheBrowserEvenWhenItFails) {
  RecordingBrowserEvents browser;
  browser.answer = E_UNEXPECTED;
  auto sink = MakeComObject<TCoreWebView2ProcessInfosChangedEventHandler>(&browser);

  EXPECT_EQ(sink->Invoke(nullptr, nullptr), E_UNEXPECTED);
  ASSERT_EQ(browser.calls.size(), 1u);
  EXPECT_EQ(browser.calls[0].name, u"ProcessInfosChanged");
}

// The runtime keeps a sink as long as it likes; the target may be gone when it calls.
TEST(SinkLifetimeTest, CallbackAfterTheTargetIsDestroyedAnswersEFailWithoutReachingIt) {
  auto events = std::make_unique<RecordingBrowserEvents>();
  auto completion = MakeComObject<TCoreWebView2ExecuteScriptCompletedHandler>(events.get(), 0);
  auto event = MakeComObject<TCoreWebView2WebMessageReceivedEventHandler>(events.get());
  auto dual = MakeComObject<TCoreWebView2BrowserProcessExitedEventHandler>(events.get());

  events.reset();

  EXPECT_EQ(completion->Invoke(S_OK, nullptr), E_FAIL);
  EXPECT_EQ(event->Invoke(nullptr, nullptr), E_FAIL);
  EXPECT_EQ(dual->Invoke(nullptr, nullptr), E_FAIL);
}

TEST(SinkLifetimeTest, ABrowserSinkNeverFallsBackToTheLoader) {
  RecordingLoaderEvents loader;
  auto browser = std::make_unique<RecordingBrowserEvents>();
  auto sink = MakeComObject<TCoreWebView2ProcessInfosChangedEventHandler>(browser.get());
  browser.reset();

  EXPECT_EQ(sink->Invoke(nullptr, nullptr), E_FAIL);
  EXPECT_TRUE(loader.calls.empty());
}

TEST(SinkLifetimeTest, LoaderSinkIsCutWhenTheLoaderGoes) {
  auto loader = std::make_unique<RecordingLoaderEvents>();
  auto sink = MakeComObject<TCoreWebView2NewBrowserVersionAvailableEventHandler>(loader.get());
  loader.reset();

  EXPECT_EQ(sink->Invoke(nullptr, nullptr), E_FAIL);
}

TEST(SinkExceptionTest, AHandlerExceptionStopsAtTheSinkAndIsReportedToTheTarget) {
  RecordingBrowserEvents events;
  events.throwOn = u"WebMessageReceived";
  auto sink = MakeComObject<TCoreWebView2WebMessageReceivedEventHandler>(&events);

  EXPECT_EQ(sink->Invoke(nullptr, nullptr), S_OK);

  ASSERT_EQ(events.reported.size(), 1u);
  EXPECT_EQ(events.reported[0].callbackName, u"WebMessageReceived");
  EXPECT_EQ(events.reported[0].description, u"handler failed");
}

TEST(SinkExceptionTest, AnExceptionOfNoStandardTypeIsReportedAsUnknown) {
  RecordingBrowserEvents events;
  events.throwOn = u"ExecuteScriptCompleted";
  events.throwNonStandard = true;
  auto sink = MakeComObject<TCoreWebView2ExecuteScriptCompletedHandler>(&events, 3);

  EXPECT_EQ(sink->Invoke(S_OK, nullptr), S_OK);

  ASSERT_EQ(events.reported.size(), 1u);
  EXPECT_EQ(events.reported[0].callbackName, u"ExecuteScriptCompleted");
  EXPECT_EQ(events.reported[0].description, u"unknown exception");
}

// A handler that destroys its own target and then throws: the report must not
// reach the destroyed target (the sanitizer build sees any touch of it).
TEST(SinkExceptionTest, AnExceptionFromAHandlerThatDestroyedItsTargetIsNotReportedToIt) {
  struct SelfDestroying final : IWVLoaderEvents {
    HRESULT HandleEnvironmentCompleted(HRESULT, ICoreWebView2Environment*) override { return S_OK; }
    HRESULT HandleNewBrowserVersionAvailable(ICoreWebView2Environment*, IUnknown*) override {
      delete this;
      throw std::runtime_error("after teardown");
    }
    HRESULT HandleBrowserProcessExited(ICoreWebView2Environment*,
                                       ICoreWebView2BrowserProcessExitedEventArgs*) override {
      return S_OK;
    }
    HRESULT HandleProcessInfosChanged(ICoreWebView2Environment*, IUnknown*) override { return S_OK; }
    void HandleCallbackException(std::u16string_view, std::u16string_view) override {
      ADD_FAILURE() << "reported to a destroyed target";
    }
  };
  auto sink = MakeComObject<TCoreWebView2NewBrowserVersionAvailableEventHandler>(new SelfDestroying);

  EXPECT_EQ(sink->Invoke(nullptr, nullptr), S_OK);
}

TEST(SinkExceptionTest, AReportThatThrowsStillLeavesTheRuntimeWithItsAnswer) {
  struct ThrowingReport final : IWVLoaderEvents {
    HRESULT HandleEnvironmentCompleted(HRESULT, ICoreWebView2Environment*) override {
      throw std::runtime_error("handler");
    }
    HRESULT HandleNewBrowserVersionAvailable(ICoreWebView2Environment*, IUnknown*) override { return S_OK; }
    HRESULT HandleBrowserProcessExited(ICoreWebView2Environment*,
                                       ICoreWebView2BrowserProcessExitedEventArgs*) override {
      return S_OK;
    }
    HRESULT HandleProcessInfosChanged(ICoreWebView2Environment*, IUnknown*) override { return S_OK; }
    void HandleCallbackException(std::u16string_view, std::u16string_view) override {
      throw std::runtime_error("log");
    }
  } loader;
  using EnvironmentCompletedSink =
      DualSink<ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler,
               &IWVBrowserEvents::HandleEnvironmentCompleted, &IWVLoaderEvents::HandleEnvironmentCompleted,
               u"EnvironmentCompleted">;
  auto sink = MakeComObject<EnvironmentCompletedSink>(&loader);

  EXPECT_EQ(sink->Invoke(S_OK, nullptr), S_OK);
}

}  // namespace
}  // namespace velmoran::test
