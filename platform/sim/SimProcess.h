#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Process.h"

namespace velmoran::platform::sim {

// The running process as a test scripts it: a 32-bit program at
// "C:\velmoran\velmoran.exe" on Windows 10, without an application user model
// id and without package identity until the test says otherwise.
class SimProcess final : public Process {
 public:
  bool GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) override;
  std::uint32_t GetCurrentApplicationUserModelId(std::uint32_t& length, std::u16string& id) override;
  std::int32_t GetCurrentProcessExplicitAppUserModelID(std::u16string& id) override;
  std::uint32_t GetCurrentPackageInfo(std::uint32_t flags, std::uint32_t& bufferLength,
                                      std::vector<PackageInfo>* packages) override;
  WindowsVersion RtlGetVersion() override { return windowsVersion_; }
  bool IsProcess64Bit() override { return is64Bit_; }

  void SetExecutablePath(std::u16string path) { executablePath_ = std::move(path); }
  const std::u16string& ExecutablePath() const { return executablePath_; }

  // Empty: the process has no application identity.
  void SetApplicationUserModelId(std::u16string id) { applicationUserModelId_ = std::move(id); }
  // Empty: the process never set one (the system answers E_FAIL then).
  void SetExplicitAppUserModelId(std::u16string id) { explicitAppUserModelId_ = std::move(id); }
  // nullopt: no package identity (APPMODEL_ERROR_NO_PACKAGE).
  void SetPackages(std::optional<std::vector<PackageInfo>> packages) { packages_ = std::move(packages); }
  // False: the system lacks GetCurrentPackageInfo and
  // GetCurrentApplicationUserModelId (as before Windows 8).
  void SetAppModelFunctionsAvailable(bool available) { appModelFunctionsAvailable_ = available; }
  void SetWindowsVersion(WindowsVersion version) { windowsVersion_ = version; }
  void SetProcess64Bit(bool is64Bit) { is64Bit_ = is64Bit; }

  std::size_t PackageInfoQueries() const { return packageInfoQueries_; }

 private:
  std::u16string executablePath_ = u"C:\\velmoran\\velmoran.exe";
  std::u16string applicationUserModelId_;
  std::u16string explicitAppUserModelId_;
  std::optional<std::vector<PackageInfo>> packages_;
  bool appModelFunctionsAvailable_ = true;
  WindowsVersion windowsVersion_{10, 0, 19045};
  bool is64Bit_ = false;
  std::size_t packageInfoQueries_ = 0;
};

}  // namespace velmoran::platform::sim
