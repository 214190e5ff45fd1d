#pragma once

// The fixture every test of the engine family program derives from: the
// program's one browser (started at the first test, kept for all of them),
// the served folder's URLs, and handlers a test installs for itself that are
// put back as they were when the test ends, so one test's handler never
// answers for the next. The harness's own handlers (NavigationCompleted,
// ExecuteScriptCompleted, ExecuteScriptWithResultCompleted, AfterCreated,
// InitializationError) are not to be replaced: the waits read them.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "tests/engine/family/EngineBrowser.h"

namespace velmoran::test::engine {

class EngineFamilyFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    engine_ = EngineBrowser::Instance();
    ASSERT_NE(engine_, nullptr) << "the engine did not start: " << EngineBrowser::StartFailure();
  }
  void TearDown() override {
    for (auto restore = restores_.rbegin(); restore != restores_.rend(); ++restore) (*restore)();
    restores_.clear();
  }

  EngineBrowser& Engine() { return *engine_; }
  webview::TWVBrowser& Browser() { return engine_->Browser(); }
  static std::u16string PageURL(std::u16string_view relative) { return EngineBrowser::PageURL(relative); }

  // Installs `handler` (a lambda will do) in the browser's event slot for this test only.
  template <typename Slot>
  void Hook(Slot& slot, std::type_identity_t<Slot> handler) {
    Slot previous = std::move(slot);
    slot = std::move(handler);
    restores_.push_back([&slot, previous = std::move(previous)]() mutable { slot = std::move(previous); });
  }

  // Waits for an event: `raised` is set by a handler installed with Hook.
  bool WaitForFlag(const bool& raised, std::chrono::milliseconds limit = 20s) {
    return engine_->WaitUntil([&raised] { return raised; }, limit);
  }

 private:
  EngineBrowser* engine_ = nullptr;
  std::vector<std::function<void()>> restores_;
};

}  // namespace velmoran::test::engine
