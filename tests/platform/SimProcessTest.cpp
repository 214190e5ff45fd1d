#include <gtest/gtest.h>

#include "platform/sim/SimEnvironment.h"
#include "platform/sim/SimProcess.h"

namespace velmoran::test {
namespace {

using platform::kErrorInsufficientBuffer;
using platform::kErrorNoPackage;
using platform::kErrorProcNotFound;
using platform::kErrorSuccess;
using platform::PackageInfo;
using platform::sim::SimEnvironment;
using platform::sim::SimProcess;

TEST(SimEnvironment, VariablesIgnoreCaseAndMayBeEmpty) {
  SimEnvironment environment;
  std::u16string value = u"stale";
  EXPECT_FALSE(environment.GetEnvironmentVariableW(u"WEBVIEW2_USER_DATA_FOLDER", value));
  EXPECT_EQ(value, u"");
  environment.SetVariable(u"webview2_user_data_folder", u"");
  EXPECT_TRUE(environment.GetEnvironmentVariableW(u"WEBVIEW2_USER_DATA_FOLDER", value));
  EXPECT_EQ(value, u"");
}

TEST(SimProcess, ApplicationUserModelIdIsAskedForItsLengthFirst) {
  SimProcess process;
  process.SetApplicationUserModelId(u"Velmoran.Shell");
  std::uint32_t length = 0;
  std::u16string id;
  EXPECT_EQ(process.GetCurrentApplicationUserModelId(length, id), kErrorInsufficientBuffer);
  EXPECT_EQ(length, 15u);  // the terminator included
  EXPECT_EQ(process.GetCurrentApplicationUserModelId(length, id), kErrorSuccess);
  EXPECT_EQ(id, u"Velmoran.Shell");
}

TEST(SimProcess, PackageListIsAskedForItsSizeFirst) {
  SimProcess process;
  std::uint32_t size = 0;
  EXPECT_EQ(process.GetCurrentPackageInfo(1, size, nullptr), kErrorNoPackage);
  process.SetPackages(std::vector<PackageInfo>{{u"A_1", u"C:\\A", 1, 2, 3, 4}});
  EXPECT_EQ(process.GetCurrentPackageInfo(1, size, nullptr), kErrorInsufficientBuffer);
  EXPECT_GT(size, 0u);
  std::vector<PackageInfo> packages;
  std::uint32_t tooSmall = size - 1;
  EXPECT_EQ(process.GetCurrentPackageInfo(1, tooSmall, &packages), kErrorInsufficientBuffer);
  EXPECT_EQ(process.GetCurrentPackageInfo(1, size, &packages), kErrorSuccess);
  ASSERT_EQ(packages.size(), 1u);
  EXPECT_EQ(packages[0].versionRevision, 4u);
  process.SetAppModelFunctionsAvailable(false);
  EXPECT_EQ(process.GetCurrentPackageInfo(1, size, nullptr), kErrorProcNotFound);
}

}  // namespace
}  // namespace velmoran::test
