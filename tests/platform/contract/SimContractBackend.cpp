#include <filesystem>
#include <string>

#include "platform/sim/SimPlatform.h"
#include "tests/platform/contract/ContractBackend.h"
#include "tests/support/TempFolder.h"

namespace velmoran::test {
namespace {

int ContractAnswer() { return 42; }

std::u16string FolderOf(std::u16string_view path) {
  return std::u16string(path.substr(0, path.find_last_of(u'\\')));
}

class SimContractBackend final : public ContractBackend {
 public:
  SimContractBackend() : platform_(temp_.path()), otherProcessFiles_(temp_.path()) {}

  const char* Name() const override { return "sim"; }
  bool UnderWine() const override { return false; }
  platform::Platform& Services() override { return platform_; }

  std::u16string ScratchFolder() override {
    const std::string name = "scratch" + std::to_string(next_++);
    std::filesystem::create_directories(temp_.path() / "C" / name);
    return u"C:\\" + std::u16string(name.begin(), name.end());
  }

  // Another process is another simulated Windows over the same drives.
  platform::Files& OtherProcessFiles() override { return otherProcessFiles_; }

  // The simulation's read-only files are host files without write permission bits.
  void MakeReadOnly(std::u16string_view path) override {
    std::filesystem::permissions(platform_.files().HostPath(path), std::filesystem::perms::owner_read |
                                                                       std::filesystem::perms::group_read |
                                                                       std::filesystem::perms::others_read);
  }

  std::u16string RegistrySandbox() override { return u"Software\\VelmoranContract"; }
  void CreateRegistryKey(std::u16string_view subKey) override {
    platform_.registry().CreateKey(platform::kHkeyCurrentUser, Below(subKey));
  }
  void SetRegistryValue(std::u16string_view subKey, std::u16string_view name, std::uint32_t type,
                        const std::vector<std::uint8_t>& data) override {
    platform_.registry().SetValue(platform::kHkeyCurrentUser, Below(subKey), name, type, data);
  }

  void SetVariable(std::u16string_view name, std::optional<std::u16string_view> value) override {
    if (value) {
      platform_.environment().SetVariable(name, std::u16string(*value));
    } else {
      platform_.environment().RemoveVariable(name);
    }
  }

  std::uint32_t StartProcess(std::u16string_view imageName) override {
    return platform_.shell().AddProcess(std::u16string(imageName));
  }

  std::u16string ProgramFile() override {
    std::u16string path = ScratchFolder() + u"\\program.exe";
    platform_.files().CloseHandle(
        platform_.files().CreateFileW(path, platform::kGenericWrite, 0, platform::kCreateAlways));
    return path;
  }

  // Registered with the modules, and a file beside the executable with the
  // version resource set on it.
  std::u16string LibraryWithExports() override {
    std::u16string name = u"velmoran-contract-library.dll";
    const std::u16string folder = FolderOf(platform_.process().ExecutablePath());
    const std::u16string path = folder + u"\\" + name;
    platform_.modules().RegisterLibrary(
        path, {{"ContractAnswer", reinterpret_cast<platform::ProcAddress>(&ContractAnswer)}});
    platform::sim::SimFiles& files = platform_.files();
    files.CreateDirectoryW(folder);
    files.CloseHandle(files.CreateFileW(path, platform::kGenericWrite, 0, platform::kOpenAlways));
    files.SetVersionResource(path, 0x00010002, 0x00030004,
                             {{u"\\StringFileInfo\\040904B0\\ProductVersion", u"1.2.3.4"}});
    return name;
  }

 private:
  std::u16string Below(std::u16string_view subKey) {
    return subKey.empty() ? RegistrySandbox() : RegistrySandbox() + u"\\" + std::u16string(subKey);
  }

  TempFolder temp_;
  platform::sim::SimPlatform platform_;
  platform::sim::SimFiles otherProcessFiles_;
  int next_ = 0;
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<SimContractBackend>(); }

}  // namespace velmoran::test
