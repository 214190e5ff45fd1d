#include <windows.h>

#include <string>

#include "platform/win32/Win32Platform.h"
#include "tests/platform/contract/ContractBackend.h"

namespace velmoran::contract {
namespace {

// Removes a folder and everything in it (no shell call: the test program must
// not depend on the shell's file operations).
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

class Win32ContractBackend final : public ContractBackend {
 public:
  Win32ContractBackend() {
    root_ = L"C:\\velmoran-contract-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(root_.c_str(), nullptr);
  }
  ~Win32ContractBackend() override { RemoveTree(root_); }

  const char* Name() const override { return "win32"; }
  platform::Platform& Services() override { return platform_; }
  std::u16string ScratchFolder() override {
    const std::wstring folder = root_ + L"\\scratch" + std::to_wstring(next_++);
    CreateDirectoryW(folder.c_str(), nullptr);
    return std::u16string(folder.begin(), folder.end());
  }

 private:
  platform::win32::Win32Platform platform_;
  std::wstring root_;
  int next_ = 0;
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<Win32ContractBackend>(); }

}  // namespace velmoran::contract
