#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "tests/platform/contract/ContractBackend.h"

namespace velmoran::test {
namespace {

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

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

// The folder of the running test program, with a trailing backslash.
std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
  path.resize(length);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

class Win32ContractBackend final : public ContractBackend {
 public:
  Win32ContractBackend() {
    const std::wstring id = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(instances_++);
    root_ = L"C:\\velmoran-contract-" + id;
    CreateDirectoryW(root_.c_str(), nullptr);
    sandbox_ = u"Software\\VelmoranContract-" + std::u16string(id.begin(), id.end());
  }
  ~Win32ContractBackend() override {
    for (const PROCESS_INFORMATION& child : children_) {
      TerminateProcess(child.hProcess, 0);
      WaitForSingleObject(child.hProcess, 5000);
      CloseHandle(child.hProcess);
      CloseHandle(child.hThread);
    }
    for (const std::wstring& name : variables_) ::SetEnvironmentVariableW(name.c_str(), nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, Wide(sandbox_).c_str());
    RemoveTree(root_);
  }

  const char* Name() const override { return "win32"; }
  bool UnderWine() const override {
    // Wine's own ntdll export; Windows has none of that name.
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  }
  platform::Platform& Services() override { return platform_; }

  std::u16string ScratchFolder() override {
    const std::wstring folder = root_ + L"\\scratch" + std::to_wstring(next_++);
    CreateDirectoryW(folder.c_str(), nullptr);
    return std::u16string(folder.begin(), folder.end());
  }

  // Windows keeps share modes per handle, whichever process holds it: a
  // second set of handles in this process meets them exactly as another
  // process would, without the cost of starting one under Wine.
  platform::Files& OtherProcessFiles() override { return otherProcessFiles_; }

  void MakeReadOnly(std::u16string_view path) override {
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
  }

  std::u16string RegistrySandbox() override { return sandbox_; }
  void CreateRegistryKey(std::u16string_view subKey) override {
    HKEY key = Create(subKey);
    if (key != nullptr) RegCloseKey(key);
  }
  void SetRegistryValue(std::u16string_view subKey, std::u16string_view name, std::uint32_t type,
                        const std::vector<std::uint8_t>& data) override {
    HKEY key = Create(subKey);
    if (key == nullptr) return;
    // Windows counts a text's terminator for the caller who left it out
    // whenever the character after the data is NUL, so the data is followed
    // by a character that is not: the value is stored exactly as given.
    std::vector<std::uint8_t> followed = data;
    followed.insert(followed.end(), {u8'-', 0, u8'-', 0});
    RegSetValueExW(key, Wide(name).c_str(), 0, type, followed.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
  }

  void SetVariable(std::u16string_view name, std::optional<std::u16string_view> value) override {
    variables_.push_back(Wide(name));
    ::SetEnvironmentVariableW(variables_.back().c_str(), value ? Wide(*value).c_str() : nullptr);
  }

  // A copy of the small helper program under the wanted name; it waits for
  // this process to end (never longer than a minute) unless ended before.
  std::uint32_t StartProcess(std::u16string_view imageName) override {
    const std::wstring image = Wide(ScratchFolder()) + L"\\" + Wide(imageName);
    if (!CopyFileW((ProgramFolder() + L"platform_contract_child.exe").c_str(), image.c_str(), TRUE)) return 0;
    HANDLE self = OpenProcess(SYNCHRONIZE, TRUE, GetCurrentProcessId());
    std::wstring commandLine(L"\"");
    commandLine.append(image).append(L"\" ").append(std::to_wstring(reinterpret_cast<std::uintptr_t>(self)));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    const BOOL started = CreateProcessW(image.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &child);
    CloseHandle(self);
    if (!started) return 0;
    children_.push_back(child);
    return child.dwProcessId;
  }

  // The helper program: without its parent's handle it ends at once.
  std::u16string ProgramFile() override {
    std::u16string path = ScratchFolder() + u"\\program.exe";
    CopyFileW((ProgramFolder() + L"platform_contract_child.exe").c_str(), Wide(path).c_str(), TRUE);
    return path;
  }

  std::u16string LibraryWithExports() override { return u"velmoran-contract-library.dll"; }

 private:
  HKEY Create(std::u16string_view subKey) {
    std::u16string path = sandbox_;
    if (!subKey.empty()) path.append(u"\\").append(subKey);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      return nullptr;
    }
    return key;
  }

  static inline int instances_ = 0;
  platform::win32::Win32Platform platform_;
  platform::win32::Win32Files otherProcessFiles_;
  std::wstring root_;
  std::u16string sandbox_;
  std::vector<std::wstring> variables_;
  std::vector<PROCESS_INFORMATION> children_;
  int next_ = 0;
};

}  // namespace

std::unique_ptr<ContractBackend> MakeContractBackend() { return std::make_unique<Win32ContractBackend>(); }

}  // namespace velmoran::test
