// The webview wrapper's removal guard: an error while removing the
// subscriptions still leaves every token zero, and reaches the caller only
// when the loader's ReRaiseExceptions policy asks for it. Destruction never
// lets it out.

#include <gtest/gtest.h>

#include <stdexcept>

#include "runtime/sim/SimWebViewBase.h"
#include "tests/webview/browser/WrapperFixture.h"
#include "webview/browser/TCoreWebView2.h"

namespace velmoran::test {
namespace {

using webview::ComPtr;
using webview::MakeComObject;
using webview::TCoreWebView2;

// A webview whose removal of one event throws, as no sound runtime would.
class ThrowingRemovalWebView final : public runtime::sim::SimWebViewBase {
 public:
  using SimWebViewBase::SimWebViewBase;
  HRESULT WV2_STDCALL remove_WebMessageReceived(EventRegistrationToken) override {
    throw std::runtime_error("removal failed");
  }
};

class WrapperRemovalGuardTest : public WrapperFixture {
 protected:
  ComPtr<ThrowingRemovalWebView> webView =
      MakeComObject<ThrowingRemovalWebView>(context, runtime::sim::SimVersionLimit{27, {}});
};

TEST_F(WrapperRemovalGuardTest, AnErrorIsSwallowedAndEveryTokenIsZeroAllTheSame) {
  TCoreWebView2 wrapper(webView.Get(), platform.com(), /*aReRaiseExceptions=*/false);
  ASSERT_TRUE(wrapper.AddAllBrowserEvents(&events));

  EXPECT_NO_THROW(wrapper.RemoveAllEvents());
  // All 34 tokens are zero: the whole sequence is made again.
  EXPECT_TRUE(wrapper.AddAllBrowserEvents(&events));
}

TEST_F(WrapperRemovalGuardTest, WithReRaiseExceptionsTheErrorReachesTheCallerAfterTheTokensAreZero) {
  TCoreWebView2 wrapper(webView.Get(), platform.com(), /*aReRaiseExceptions=*/true);
  ASSERT_TRUE(wrapper.AddAllBrowserEvents(&events));

  EXPECT_THROW(wrapper.RemoveAllEvents(), std::runtime_error);
  EXPECT_TRUE(wrapper.AddAllBrowserEvents(&events));
}

TEST_F(WrapperRemovalGuardTest, DestructionNeverLetsTheErrorOut) {
  auto wrapper = std::make_unique<TCoreWebView2>(webView.Get(), platform.com(), /*aReRaiseExceptions=*/true);
  ASSERT_TRUE(wrapper->AddAllBrowserEvents(&events));

  EXPECT_NO_THROW(wrapper.reset());
}

}  // namespace
}  // namespace velmoran::test
