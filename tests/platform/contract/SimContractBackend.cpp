#include <atomic>
#include <filesystem>
#include <string>

#include "platform/sim/SimPlatform.h"
#include "tests/platform/contract/ContractBackend.h"
#include "tests/support/TempFolder.h"

namespace velmoran::contract {
namespace {

class SimContractBackend final : public ContractBackend {
 public:
  SimContractBackend() : platform_(temp_.path()) { std::filesystem::create_directories(temp_.path() / "C"); }

  const char* Name() const override { return "sim"; }
  platform::Platform& Services() override { return platform_; }
  std::u16string ScratchFolder() override {
    const std::string name = "scratch" + std::to_string(next_++);
    std::filesystem::create_directories(temp_.path() / "C" / name);
    return u"C:\\" + std::u16string(name.begin(), name.end());
  }

 private:
  test_support::TempFolder temp_;
  platform::sim::SimPlatform platform_;
  int next_ = 0;
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<SimContractBackend>(); }

}  // namespace velmoran::contract
