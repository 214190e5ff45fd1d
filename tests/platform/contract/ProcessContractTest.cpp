#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/platform/contract/ContractBackend.h"

namespace velmoran::test {
namespace {

class ProcessContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
  platform::Process& process_ = backend_->Services().process();
};

TEST_F(ProcessContract, ModuleFileNameIsTheExecutablesFullPathTruncatedToTheBuffer) {
  std::u16string path;
  ASSERT_TRUE(process_.GetModuleFileNameW(260, path));
  ASSERT_GT(path.size(), 7u);
  EXPECT_EQ(path.substr(1, 2), u":\\");
  EXPECT_TRUE(path.ends_with(u".exe")) << "the process's own executable";
  const auto length = static_cast<std::uint32_t>(path.size());

  std::u16string exact;
  EXPECT_TRUE(process_.GetModuleFileNameW(length + 1, exact));
  EXPECT_EQ(exact, path);

  // One character short: Windows leaves the text cut to the buffer with its
  // terminator, Wine (as Windows XP did) fills the buffer without one.
  std::u16string cut;
  EXPECT_FALSE(process_.GetModuleFileNameW(length, cut));
  EXPECT_EQ(cut, Expected(*backend_, path.substr(0, length - 1), std::optional(path.substr(0, length))));

  std::u16string none = u"left over";
  EXPECT_FALSE(process_.GetModuleFileNameW(0, none));
  EXPECT_EQ(none, u"");
}

TEST_F(ProcessContract, UnpackagedProcessHasNoApplicationIdentity) {
  // Windows 8 and later answer that there is no identity; Wine has neither
  // function and the service answers ERROR_PROC_NOT_FOUND for both.
  std::uint32_t length = 0;
  std::u16string id = u"left over";
  EXPECT_EQ(process_.GetCurrentApplicationUserModelId(length, id),
            Expected(*backend_, platform::kAppModelErrorNoApplication,
                     std::optional(platform::kErrorProcNotFound)));
  EXPECT_EQ(id, u"");
  std::uint32_t bufferLength = 0;
  EXPECT_EQ(process_.GetCurrentPackageInfo(1, bufferLength, nullptr),
            Expected(*backend_, platform::kErrorNoPackage, std::optional(platform::kErrorProcNotFound)));

  // Never set by the process: a failure (E_FAIL on Windows, E_NOTIMPL on Wine).
  EXPECT_LT(process_.GetCurrentProcessExplicitAppUserModelID(id), 0);
  EXPECT_EQ(id, u"");
}

TEST_F(ProcessContract, BuildsBitnessOnWindows7OrLater) {
  const platform::WindowsVersion version = process_.RtlGetVersion();
  EXPECT_GE(version.major * 100 + version.minor, 601u);
  EXPECT_GT(version.build, 0u);
  // The simulation is the 32-bit shell's Windows; each Windows build is a process of its own bitness.
  EXPECT_EQ(process_.IsProcess64Bit(), backend_->Name() == std::string("win32") && sizeof(void*) == 8);
}

}  // namespace
}  // namespace velmoran::test
