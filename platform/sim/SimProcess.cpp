#include "platform/sim/SimProcess.h"

#include "platform/Types.h"

namespace velmoran::platform::sim {

namespace {

constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005u);

// What the system's PACKAGE_INFO array takes: a fixed record per package plus
// its texts with their terminators.
std::uint32_t PackageBufferSize(const std::vector<PackageInfo>& packages) {
  constexpr std::uint32_t kFixedPartBytes = 64;
  std::uint32_t size = 0;
  for (const PackageInfo& package : packages) {
    size += kFixedPartBytes +
            static_cast<std::uint32_t>(2 * (package.familyName.size() + package.installPath.size() + 2));
  }
  return size;
}

}  // namespace

bool SimProcess::GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) {
  if (capacity == 0) {
    path.clear();
    return false;
  }
  if (executablePath_.size() + 1 > capacity) {
    // The system truncates to the buffer, terminator included.
    path = executablePath_.substr(0, capacity - 1);
    return false;
  }
  path = executablePath_;
  return true;
}

std::uint32_t SimProcess::GetCurrentApplicationUserModelId(std::uint32_t& length, std::u16string& id) {
  id.clear();
  if (!appModelFunctionsAvailable_) return kErrorProcNotFound;
  if (applicationUserModelId_.empty()) return kAppModelErrorNoApplication;
  const auto needed = static_cast<std::uint32_t>(applicationUserModelId_.size() + 1);
  if (length < needed) {
    length = needed;
    return kErrorInsufficientBuffer;
  }
  length = needed;
  id = applicationUserModelId_;
  return kErrorSuccess;
}

std::int32_t SimProcess::GetCurrentProcessExplicitAppUserModelID(std::u16string& id) {
  id = explicitAppUserModelId_;
  return explicitAppUserModelId_.empty() ? kEFail : 0;
}

std::uint32_t SimProcess::GetCurrentPackageInfo(std::uint32_t, std::uint32_t& bufferLength,
                                                std::vector<PackageInfo>* packages) {
  ++packageInfoQueries_;
  if (!appModelFunctionsAvailable_) return kErrorProcNotFound;
  if (!packages_) return kErrorNoPackage;
  const std::uint32_t needed = PackageBufferSize(*packages_);
  if (packages == nullptr || bufferLength < needed) {
    bufferLength = needed;
    return kErrorInsufficientBuffer;
  }
  bufferLength = needed;
  *packages = *packages_;
  return kErrorSuccess;
}

}  // namespace velmoran::platform::sim
