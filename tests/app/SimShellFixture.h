#pragma once

// A simulated Windows on a fresh temporary folder per test, with the web
// server's executable arranged as a test needs it.

#include <gtest/gtest.h>

#include "platform/sim/SimPlatform.h"
#include "tests/support/ApacheInstall.h"
#include "tests/support/TempFolder.h"

namespace velmoran::test {

class SimShellFixture : public ::testing::Test {
 protected:
  void InstallApache(ApacheExecutable kind) { test::InstallApache(root.path(), kind); }

  TempFolder root;
  platform::sim::SimPlatform sim{root.path()};
};

}  // namespace velmoran::test
