#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "platform/sim/SimPlatform.h"

namespace velmoran::test {
namespace {

using platform::Handle;
using platform::kErrorModNotFound;
using platform::kErrorProcNotFound;
using platform::ProcAddress;
using platform::sim::SimPlatform;

int Answer() { return 42; }

class SimModulesTest : public testing::Test {
 protected:
  SimModulesTest()
      : folder(
            std::filesystem::temp_directory_path() /
            ("velmoran-modules-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++))),
        sim(folder) {
    std::filesystem::create_directories(folder);
    sim.files().AddDrive(u'C');
  }
  ~SimModulesTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  static inline std::atomic<unsigned> counter{0};
  std::filesystem::path folder;
  SimPlatform sim;
};

TEST_F(SimModulesTest, RegisteredExportsAreFoundByName) {
  sim.modules().RegisterLibrary(u"WebView2Loader.dll", {{"Answer", reinterpret_cast<ProcAddress>(&Answer)}});
  const Handle module = sim.modules().LoadLibraryW(u"webview2loader.DLL");
  ASSERT_NE(module, 0u);
  const ProcAddress proc = sim.modules().GetProcAddress(module, "Answer");
  ASSERT_NE(proc, nullptr);
  EXPECT_EQ(reinterpret_cast<int (*)()>(proc)(), 42);
  EXPECT_EQ(sim.modules().GetProcAddress(module, "answer"), nullptr);  // export names keep their case
  EXPECT_EQ(sim.modules().GetLastError(), kErrorProcNotFound);
}

TEST_F(SimModulesTest, UnknownLibraryIsNotFound) {
  EXPECT_EQ(sim.modules().LoadLibraryW(u"Nothing.dll"), 0u);
  EXPECT_EQ(sim.modules().GetLastError(), kErrorModNotFound);
  sim.modules().RegisterFailingLibrary(u"Broken.dll", 193);
  EXPECT_EQ(sim.modules().LoadLibraryW(u"Broken.dll"), 0u);
  EXPECT_EQ(sim.modules().GetLastError(), 193u);
}

TEST_F(SimModulesTest, RelativeNamesAreSearchedBesideTheExecutableThenInTheCurrentDirectory) {
  sim.modules().RegisterLibrary(u"C:\\velmoran\\Loader.dll", {});
  sim.modules().RegisterLibrary(u"C:\\work\\Other.dll", {});
  EXPECT_NE(sim.modules().LoadLibraryW(u"Loader.dll"), 0u);
  EXPECT_EQ(sim.modules().LoadLibraryW(u"Other.dll"), 0u);
  sim.files().CreateDirectoryW(u"C:\\work");
  ASSERT_TRUE(sim.files().SetCurrentDirectoryW(u"C:\\work"));
  EXPECT_NE(sim.modules().LoadLibraryW(u"Other.dll"), 0u);
  EXPECT_NE(sim.modules().LoadLibraryW(u"C:\\velmoran\\sub\\..\\LOADER.dll"), 0u);
  // A full path finds only the library at that path.
  EXPECT_EQ(sim.modules().LoadLibraryW(u"D:\\velmoran\\Loader.dll"), 0u);
}

TEST_F(SimModulesTest, LoadsAndFreesAreCountedUntilTheLastFree) {
  sim.modules().RegisterLibrary(u"WebView2Loader.dll", {{"Answer", reinterpret_cast<ProcAddress>(&Answer)}});
  const Handle first = sim.modules().LoadLibraryW(u"WebView2Loader.dll");
  const Handle second = sim.modules().LoadLibraryW(u"WebView2Loader.dll");
  EXPECT_EQ(first, second);
  EXPECT_EQ(sim.modules().LoadedLibraries(), 1u);
  EXPECT_TRUE(sim.modules().FreeLibrary(first));
  EXPECT_NE(sim.modules().GetProcAddress(first, "Answer"), nullptr);
  EXPECT_TRUE(sim.modules().FreeLibrary(first));
  EXPECT_EQ(sim.modules().LoadedLibraries(), 0u);
  EXPECT_EQ(sim.modules().GetProcAddress(first, "Answer"), nullptr);
  EXPECT_FALSE(sim.modules().FreeLibrary(first));
  EXPECT_EQ(sim.modules().TotalLoads(), 2u);
  EXPECT_EQ(sim.modules().TotalFrees(), 2u);
}

}  // namespace
}  // namespace velmoran::test
