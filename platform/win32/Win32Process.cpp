#include "platform/win32/Win32Process.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <vector>

#include "platform/win32/WideText.h"

namespace velmoran::platform::win32 {

namespace {

// The system's PACKAGE_INFO records (appmodel.h), declared here because the
// cross compiler's headers lack them. The system packs them to 4 bytes on
// 32-bit Windows.
#if defined(_M_IX86) || defined(__i386__)
#pragma pack(push, 4)
#endif
struct SystemPackageVersion {
  USHORT revision;
  USHORT build;
  USHORT minor;
  USHORT major;
};
struct SystemPackageId {
  UINT32 reserved;
  UINT32 processorArchitecture;
  SystemPackageVersion version;
  PWSTR name;
  PWSTR publisher;
  PWSTR resourceId;
  PWSTR publisherId;
};
struct SystemPackageInfo {
  UINT32 reserved;
  UINT32 flags;
  PWSTR path;
  PWSTR packageFullName;
  PWSTR packageFamilyName;
  SystemPackageId packageId;
};
#if defined(_M_IX86) || defined(__i386__)
#pragma pack(pop)
#endif

using GetCurrentApplicationUserModelIdProc = LONG(WINAPI*)(UINT32*, PWSTR);
using GetCurrentProcessExplicitAppUserModelIDProc = HRESULT(WINAPI*)(PWSTR*);
using GetCurrentPackageInfoProc = LONG(WINAPI*)(UINT32, UINT32*, BYTE*, UINT32*);
using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);

// A system library the process already has, or loads for the call: the
// reference taken is given back when the holder goes.
class SystemLibrary {
 public:
  explicit SystemLibrary(const wchar_t* name) : module_(::LoadLibraryW(name)) {}
  ~SystemLibrary() {
    if (module_ != nullptr) ::FreeLibrary(module_);
  }
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  template <typename Proc>
  Proc Find(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(::GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

}  // namespace

bool Win32Process::GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) {
  std::vector<wchar_t> buffer(capacity + 1, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), capacity);
  const DWORD error = ::GetLastError();
  // A path cut to the buffer ends in a terminator inside the answered length
  // (Windows Vista and later); Wine, like Windows XP, fills the buffer without one.
  const wchar_t* text = buffer.data();
  path = Utf16Text(text, static_cast<std::size_t>(std::find(text, text + length, L'\0') - text));
  return length != 0 && length < capacity && error != ERROR_INSUFFICIENT_BUFFER;
}

std::uint32_t Win32Process::GetCurrentApplicationUserModelId(std::uint32_t& length, std::u16string& id) {
  id.clear();
  const SystemLibrary kernel32(L"Kernel32.dll");
  auto proc = kernel32.Find<GetCurrentApplicationUserModelIdProc>("GetCurrentApplicationUserModelId");
  if (proc == nullptr) return ERROR_PROC_NOT_FOUND;
  std::vector<wchar_t> buffer(length + 1, L'\0');
  UINT32 offered = length;
  const LONG result = proc(&offered, length == 0 ? nullptr : buffer.data());
  length = offered;
  if (result == ERROR_SUCCESS) id = Utf16Text(buffer.data());
  return static_cast<std::uint32_t>(result);
}

std::int32_t Win32Process::GetCurrentProcessExplicitAppUserModelID(std::u16string& id) {
  id.clear();
  const SystemLibrary shell32(L"shell32.dll");
  auto proc =
      shell32.Find<GetCurrentProcessExplicitAppUserModelIDProc>("GetCurrentProcessExplicitAppUserModelID");
  if (proc == nullptr) return static_cast<std::int32_t>(HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND));
  PWSTR text = nullptr;
  const HRESULT result = proc(&text);
  if (SUCCEEDED(result)) id = Utf16Text(text);
  ::CoTaskMemFree(text);
  return static_cast<std::int32_t>(result);
}

std::uint32_t Win32Process::GetCurrentPackageInfo(std::uint32_t flags, std::uint32_t& bufferLength,
                                                  std::vector<PackageInfo>* packages) {
  const SystemLibrary kernelbase(L"kernelbase.dll");
  auto proc = kernelbase.Find<GetCurrentPackageInfoProc>("GetCurrentPackageInfo");
  if (proc == nullptr) return ERROR_PROC_NOT_FOUND;
  UINT32 length = packages == nullptr ? 0 : bufferLength;
  UINT32 count = 0;
  // The records hold pointers into the same buffer; keep it aligned for them.
  std::vector<SystemPackageInfo> buffer(length / sizeof(SystemPackageInfo) + 1);
  const LONG result =
      proc(flags, &length, packages == nullptr ? nullptr : reinterpret_cast<BYTE*>(buffer.data()), &count);
  bufferLength = length;
  if (result != ERROR_SUCCESS || packages == nullptr) return static_cast<std::uint32_t>(result);
  packages->clear();
  for (UINT32 i = 0; i < count; ++i) {
    const SystemPackageInfo& info = buffer[i];
    packages->push_back(PackageInfo{Utf16Text(info.packageFamilyName), Utf16Text(info.path),
                                    info.packageId.version.major, info.packageId.version.minor,
                                    info.packageId.version.build, info.packageId.version.revision});
  }
  return ERROR_SUCCESS;
}

WindowsVersion Win32Process::RtlGetVersion() {
  // GetVersionExW answers 6.2 to programs without a compatibility manifest;
  // the kernel's own call does not.
  const SystemLibrary ntdll(L"ntdll.dll");
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (auto proc = ntdll.Find<RtlGetVersionProc>("RtlGetVersion"); proc != nullptr && proc(&info) == 0) {
    return WindowsVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
  }
  return WindowsVersion{};
}

bool Win32Process::IsProcess64Bit() { return sizeof(void*) == 8; }

}  // namespace velmoran::platform::win32
