#include <gtest/gtest.h>

#include <utility>

#include "tests/webview/abi/CountedHandler.h"
#include "webview/abi/ComPtr.h"

namespace velmoran::test {
namespace {

using webview::ComPtr;
using webview::MakeComObject;

class ComPtrTest : public ::testing::Test {
 protected:
  int destroyed = 0;
};

TEST_F(ComPtrTest, CopiesShareAndTheLastOneReleasesTheObject) {
  {
    ComPtr<CountedHandler> first = MakeComObject<CountedHandler>(destroyed);
    EXPECT_EQ(first->References(), 1u);
    {
      // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): the copy is what is tested
      ComPtr<CountedHandler> second = first;
      ComPtr<CountedHandler> third;
      third = second;
      EXPECT_EQ(first->References(), 3u);
    }
    EXPECT_EQ(first->References(), 1u);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

TEST_F(ComPtrTest, MovingHandsOverWithoutCounting) {
  ComPtr<CountedHandler> first = MakeComObject<CountedHandler>(destroyed);
  ComPtr<CountedHandler> second = std::move(first);
  EXPECT_FALSE(first);  // NOLINT(bugprone-use-after-move): a moved-from ComPtr is empty by contract
  EXPECT_EQ(second->References(), 1u);
  ComPtr<ICoreWebView2ExecuteScriptCompletedHandler> asInterface = std::move(second);
  EXPECT_FALSE(second);  // NOLINT(bugprone-use-after-move): as above
  asInterface = nullptr;
  EXPECT_EQ(destroyed, 1);
}

TEST_F(ComPtrTest, SelfAssignmentKeepsTheReference) {
  ComPtr<CountedHandler> handler = MakeComObject<CountedHandler>(destroyed);
  ComPtr<CountedHandler>& alias = handler;
  handler = alias;
  EXPECT_EQ(handler->References(), 1u);
  handler = std::move(alias);
  ASSERT_TRUE(handler);
  EXPECT_EQ(handler->References(), 1u);
}

TEST_F(ComPtrTest, AttachAndDetachTransferAnOwnedReference) {
  ComPtr<CountedHandler> owner = MakeComObject<CountedHandler>(destroyed);
  CountedHandler* raw = owner.Detach();
  EXPECT_FALSE(owner);
  EXPECT_EQ(raw->References(), 1u);
  ComPtr<CountedHandler> adopter;
  adopter.Attach(raw);
  EXPECT_EQ(adopter->References(), 1u);
  adopter.Reset();
  EXPECT_EQ(destroyed, 1);
}

TEST_F(ComPtrTest, SharingARawPointerTakesItsOwnReference) {
  ComPtr<CountedHandler> owner = MakeComObject<CountedHandler>(destroyed);
  {
    ComPtr<CountedHandler> shared(owner.Get());
    EXPECT_EQ(owner->References(), 2u);
  }
  EXPECT_EQ(owner->References(), 1u);
}

// An out parameter filled twice into the same ComPtr must not leak the first object.
TEST_F(ComPtrTest, PutReleasesWhatItHeldBeforeTheOutParameterIsFilled) {
  ComPtr<ICoreWebView2ExecuteScriptCompletedHandler> slot;
  ComPtr<CountedHandler> first = MakeComObject<CountedHandler>(destroyed);
  ASSERT_EQ(first.As(IID_ICoreWebView2ExecuteScriptCompletedHandler, slot), S_OK);
  first.Reset();
  EXPECT_EQ(destroyed, 0);

  ComPtr<CountedHandler> second = MakeComObject<CountedHandler>(destroyed);
  ASSERT_EQ(second->QueryInterface(IID_ICoreWebView2ExecuteScriptCompletedHandler, slot.PutVoid()), S_OK);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(second->References(), 2u);
}

TEST_F(ComPtrTest, AsAnswersAnotherInterfaceOfTheSameObject) {
  ComPtr<CountedHandler> handler = MakeComObject<CountedHandler>(destroyed);
  ComPtr<ICoreWebView2WebMessageReceivedEventHandler> messages;
  ASSERT_EQ(handler.As(messages), S_OK);
  ASSERT_TRUE(messages);
  EXPECT_EQ(handler->References(), 2u);
  EXPECT_EQ(messages->Invoke(nullptr, nullptr), S_OK);
  EXPECT_EQ(handler->messagesReceived, 1);
}

TEST_F(ComPtrTest, AsFailsCleanlyForAnInterfaceNotImplemented) {
  ComPtr<CountedHandler> handler = MakeComObject<CountedHandler>(destroyed);
  ComPtr<ICoreWebView2Settings> settings;
  EXPECT_EQ(handler.As(IID_ICoreWebView2Settings, settings), E_NOINTERFACE);
  EXPECT_FALSE(settings);
  EXPECT_EQ(handler->References(), 1u);

  ComPtr<CountedHandler> empty;
  EXPECT_EQ(empty.As(IID_ICoreWebView2Settings, settings), E_POINTER);
}

}  // namespace
}  // namespace velmoran::test
