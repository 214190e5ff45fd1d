#pragma once

// A simulated Windows with the simulated browser runtime installed beside the
// executable, and the shared loader made on it, as start-up makes it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/sim/SimPlatform.h"
#include "runtime/sim/SimRuntime.h"
#include "tests/webview/loader/DiscoveryFixture.h"
#include "webview/loader/TWVLoader.h"

namespace velmoran::test {

using webview::CreateSharedWebViewLoader;
using webview::DestroySharedWebViewLoader;
using webview::SharedWebViewLoader;
using webview::TWVLoader;

class LoaderTest : public testing::Test {
 protected:
  LoaderTest() : sim(temp.path()) {}

  ~LoaderTest() override {
    DestroySharedWebViewLoader();
    Pump();
  }

  // Installs the runtime (once) and makes the shared loader.
  TWVLoader& MakeLoader() {
    if (!runtime) runtime = runtime::sim::InstallSimRuntime(sim, options);
    return CreateSharedWebViewLoader(sim);
  }
  TWVLoader& Loader() { return *SharedWebViewLoader(); }

  // Delivers everything the runtime queued.
  void Pump() {
    platform::Message message;
    while (sim.windows().PeekMessageW(message, 0, 0, 0, platform::kPmRemove))
      sim.windows().DispatchMessageW(message);
  }

  const std::vector<platform::sim::SimWindowManager::MessageBoxRecord>& Dialogs() {
    return sim.windows().MessageBoxes();
  }

  std::vector<std::string> ErrorLogUtf8() {
    std::vector<std::string> lines;
    for (const std::u16string& line : Loader().ErrorLog()) lines.push_back(Utf16ToUtf8(line));
    return lines;
  }

  TempFolder temp;
  platform::sim::SimPlatform sim;
  runtime::sim::SimRuntimeConfig options;
  std::unique_ptr<runtime::sim::SimRuntime> runtime;
};

}  // namespace velmoran::test
