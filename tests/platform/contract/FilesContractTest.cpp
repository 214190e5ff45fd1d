#include <gtest/gtest.h>

#include "tests/platform/contract/ContractBackend.h"

namespace velmoran::contract {
namespace {

class FilesContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
  platform::Files& files_ = backend_->Services().files();
};

TEST_F(FilesContract, ScratchFolderIsAFolder) {
  const std::u16string folder = backend_->ScratchFolder();
  EXPECT_EQ(files_.GetFileAttributesW(folder) & platform::kFileAttributeDirectory,
            platform::kFileAttributeDirectory);
}

}  // namespace
}  // namespace velmoran::contract
