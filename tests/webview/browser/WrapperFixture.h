#pragma once

// The wrappers' test ground: the simulated controller side, the shared loader
// whose error log records refused interface versions, and a recording
// browser face as the target of every subscription, and a log of the
// subscriptions the runtime was asked for.

#include <cstddef>
#include <string>

#include "base/Text.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "tests/runtime/SimControllerFixture.h"
#include "tests/webview/browser/SubscriptionLog.h"
#include "tests/webview/sinks/RecordingEvents.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::test {
using webview::CreateSharedWebViewLoader;
using webview::DestroySharedWebViewLoader;
using webview::GuidToRegistryText;
using webview::SharedWebViewLoader;

class WrapperFixture : public SimControllerFixture {
 protected:
  WrapperFixture() {
    CreateSharedWebViewLoader(platform);
    context->SetObserver(&subscriptions);
  }
  ~WrapperFixture() override {
    context->SetObserver(nullptr);
    DestroySharedWebViewLoader();
  }

  // The lines the wrappers left in the loader's error log.
  std::size_t RefusalLines() const {
    const std::u16string log = SharedWebViewLoader()->ErrorMessage();
    std::size_t count = 0;
    for (std::size_t at = log.find(u"The QueryInterface call for "); at != std::u16string::npos;
         at = log.find(u"The QueryInterface call for ", at + 1)) {
      ++count;
    }
    return count;
  }
  bool LogNames(const IID& id) const {
    return SharedWebViewLoader()->ErrorMessage().find(GuidToRegistryText(id)) != std::u16string::npos;
  }

  runtime::sim::SimRuntimeContext& Runtime() { return *context; }

  RecordingBrowserEvents events;
  SubscriptionLog subscriptions;
};

}  // namespace velmoran::test
