#include <gtest/gtest.h>

#include "tests/webview/abi/CountedHandler.h"
#include "webview/abi/ComObject.h"

namespace velmoran::test {
namespace {

using webview::ComObject;
using webview::ComPtr;
using webview::MakeComObject;

// Three versions of one interface, each extending the one before.
class FailedProcess final : public ComObject<ICoreWebView2ProcessFailedEventArgs3> {
 public:
  HRESULT WV2_STDCALL get_ProcessFailedKind(COREWEBVIEW2_PROCESS_FAILED_KIND* value) override {
    *value = COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED;
    return S_OK;
  }
  HRESULT WV2_STDCALL get_Reason(COREWEBVIEW2_PROCESS_FAILED_REASON*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_ExitCode(int* exitCode) override {
    *exitCode = 42;
    return S_OK;
  }
  HRESULT WV2_STDCALL get_ProcessDescription(LPWSTR*) override { return E_NOTIMPL; }
  HRESULT WV2_STDCALL get_FrameInfosForFailedProcess(ICoreWebView2FrameInfoCollection**) override {
    return E_NOTIMPL;
  }
  HRESULT WV2_STDCALL get_FailureSourceModulePath(LPWSTR*) override { return E_NOTIMPL; }
};

TEST(ComObject, AnswersEveryEarlierVersionOfAnInterfaceItImplements) {
  ComPtr<FailedProcess> args = MakeComObject<FailedProcess>();
  ComPtr<ICoreWebView2ProcessFailedEventArgs> first;
  ComPtr<ICoreWebView2ProcessFailedEventArgs2> second;
  ComPtr<ICoreWebView2ProcessFailedEventArgs3> third;
  ASSERT_EQ(args.As(IID_ICoreWebView2ProcessFailedEventArgs, first), S_OK);
  ASSERT_EQ(args.As(IID_ICoreWebView2ProcessFailedEventArgs2, second), S_OK);
  ASSERT_EQ(args.As(IID_ICoreWebView2ProcessFailedEventArgs3, third), S_OK);

  // Calls through each answer reach this object's methods in their slots.
  COREWEBVIEW2_PROCESS_FAILED_KIND kind{};
  EXPECT_EQ(first->get_ProcessFailedKind(&kind), S_OK);
  EXPECT_EQ(kind, COREWEBVIEW2_PROCESS_FAILED_KIND_RENDER_PROCESS_EXITED);
  int exitCode = 0;
  EXPECT_EQ(second->get_ExitCode(&exitCode), S_OK);
  EXPECT_EQ(exitCode, 42);
}

TEST(ComObject, RefusesOtherInterfacesAndClearsTheOutParameter) {
  ComPtr<FailedProcess> args = MakeComObject<FailedProcess>();
  void* out = &args;  // anything but null, to see it cleared
  EXPECT_EQ(args->QueryInterface(IID_ICoreWebView2EnvironmentOptions, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(args->QueryInterface(IID_ICoreWebView2, nullptr), E_POINTER);
}

// COM compares object identity by the IUnknown pointer, whichever interface it came through.
TEST(ComObject, AnswersOneIUnknownThroughEveryInterface) {
  int destroyed = 0;
  ComPtr<CountedHandler> handler = MakeComObject<CountedHandler>(destroyed);
  ComPtr<ICoreWebView2ExecuteScriptCompletedHandler> script;
  ComPtr<ICoreWebView2WebMessageReceivedEventHandler> messages;
  ASSERT_EQ(handler.As(script), S_OK);
  ASSERT_EQ(handler.As(messages), S_OK);

  ComPtr<IUnknown> viaScript;
  ComPtr<IUnknown> viaMessages;
  ASSERT_EQ(script->QueryInterface(IID_IUnknown, viaScript.PutVoid()), S_OK);
  ASSERT_EQ(messages->QueryInterface(IID_IUnknown, viaMessages.PutVoid()), S_OK);
  EXPECT_EQ(viaScript, viaMessages);

  // The second interface sits at another address in the object; calls through it still land right.
  EXPECT_EQ(script->Invoke(E_ABORT, nullptr), S_OK);
  EXPECT_EQ(handler->lastScriptResult, E_ABORT);
  EXPECT_EQ(messages->Invoke(nullptr, nullptr), S_OK);
  EXPECT_EQ(handler->messagesReceived, 1);
}

TEST(ComObject, ReleasingThroughAnyInterfaceCountsOnTheOneObject) {
  int destroyed = 0;
  ComPtr<CountedHandler> handler = MakeComObject<CountedHandler>(destroyed);
  ComPtr<ICoreWebView2WebMessageReceivedEventHandler> messages;
  ASSERT_EQ(handler.As(messages), S_OK);
  handler.Reset();
  EXPECT_EQ(destroyed, 0);
  messages.Reset();
  EXPECT_EQ(destroyed, 1);
}

}  // namespace
}  // namespace velmoran::test
