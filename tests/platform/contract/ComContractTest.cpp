#include <gtest/gtest.h>

#include <cstring>

#include "tests/platform/contract/ContractBackend.h"

namespace velmoran::test {
namespace {

constexpr std::int32_t kSOk = 0;
constexpr std::int32_t kSFalse = 1;
constexpr std::int32_t kRpcEChangedMode = static_cast<std::int32_t>(0x80010106u);
constexpr std::uint32_t kCoInitMultithreaded = 0;

class ComContract : public ::testing::Test {
 protected:
  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
  platform::Com& com_ = backend_->Services().com();
};

TEST_F(ComContract, TaskMemoryHoldsWhatIsWrittenUntilFreed) {
  void* block = com_.CoTaskMemAlloc(64);
  ASSERT_NE(block, nullptr);
  std::memset(block, 0xAB, 64);
  com_.CoTaskMemFree(block);
  void* empty = com_.CoTaskMemAlloc(0);
  EXPECT_NE(empty, nullptr) << "a block of no bytes is still a block";
  com_.CoTaskMemFree(empty);
  com_.CoTaskMemFree(nullptr);
}

TEST_F(ComContract, ApartmentCountsItsInitialisationsAndKeepsItsKind) {
  EXPECT_EQ(com_.CoInitializeEx(platform::kCoInitApartmentThreaded), kSOk);
  EXPECT_EQ(com_.CoInitializeEx(platform::kCoInitApartmentThreaded), kSFalse);
  EXPECT_EQ(com_.CoInitializeEx(kCoInitMultithreaded), kRpcEChangedMode) << "and counts nothing";
  com_.CoUninitialize();
  com_.CoUninitialize();
  EXPECT_EQ(com_.CoInitializeEx(kCoInitMultithreaded), kSOk) << "the apartment is gone: any kind again";
  com_.CoUninitialize();
}

TEST_F(ComContract, OleInitialisesTheApartmentAsTheFrameworkDoes) {
  EXPECT_EQ(com_.OleInitialize(), kSOk);
  EXPECT_EQ(com_.CoInitializeEx(platform::kCoInitApartmentThreaded), kSFalse);
  com_.CoUninitialize();
  com_.OleUninitialize();
  EXPECT_EQ(com_.CoInitializeEx(platform::kCoInitApartmentThreaded), kSOk);
  EXPECT_EQ(com_.OleInitialize(), kSOk) << "OLE's first initialisation on a COM apartment";
  com_.OleUninitialize();
  com_.CoUninitialize();
}

}  // namespace
}  // namespace velmoran::test
