// The engine family program's entry: GoogleTest over one browser shared by
// every test, closed once after the last one so that Chromium ends with the
// program rather than being cut off by the process's exit.

#include <gtest/gtest.h>

#include "tests/engine/family/EngineBrowser.h"

namespace {

class EngineEnvironment final : public ::testing::Environment {
 public:
  void TearDown() override { velmoran::test::engine::EngineBrowser::Shutdown(); }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new EngineEnvironment());
  return RUN_ALL_TESTS();
}
