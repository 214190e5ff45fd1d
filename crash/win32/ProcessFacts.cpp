#include "crash/win32/ProcessFacts.h"

#include <tlhelp32.h>

#include "base/Text.h"
#include "platform/win32/WideText.h"

namespace velmoran::crash::win32 {
namespace {

using platform::win32::AsWide;
using platform::win32::Utf16Text;

std::u16string FileNameOf(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

std::u16string ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
  return Utf16Text(path, length);
}

// The size of a loaded module's image, from its PE headers; 0 when they do not look right.
std::uint64_t ImageSize(HMODULE module) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return 0;
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const char*>(module) + dos->e_lfanew);
  return nt->Signature == IMAGE_NT_SIGNATURE ? nt->OptionalHeader.SizeOfImage : 0;
}

// RTL_OSVERSIONINFOW's layout, which the headers of some toolchains leave out.
struct OsVersion {
  ULONG size;
  ULONG major;
  ULONG minor;
  ULONG build;
  ULONG platform;
  WCHAR servicePack[128];
};

}  // namespace

CodeLocation LocateCode(std::uint64_t address, DbgHelpLibrary* symbols) {
  CodeLocation location;
  location.address = address;
  HMODULE module = nullptr;
  // Some systems answer the executable for an address in no module at all
  // (a null address among them), so the answer is checked against the
  // module's extent.
  if (::GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(address)), &module) &&
      module != nullptr && address - reinterpret_cast<std::uintptr_t>(module) < ImageSize(module)) {
    location.module = FileNameOf(ModulePath(module));
    location.offset = address - reinterpret_cast<std::uintptr_t>(module);
  }
  if (symbols != nullptr && symbols->symFromAddr != nullptr) {
    constexpr std::size_t kNameLength = 256;
    alignas(SYMBOL_INFO) char buffer[sizeof(SYMBOL_INFO) + kNameLength] = {};
    auto* symbol = reinterpret_cast<SYMBOL_INFO*>(buffer);
    symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
    symbol->MaxNameLen = kNameLength;
    DWORD64 displacement = 0;
    if (symbols->symFromAddr(::GetCurrentProcess(), address, &displacement, symbol)) {
      location.symbol = AsciiToUtf16(std::string_view(symbol->Name, strnlen(symbol->Name, kNameLength)));
      if (displacement != 0) location.symbol += u"+0x" + Hex8(static_cast<std::uint32_t>(displacement));
    }
  }
  return location;
}

std::vector<ModuleFacts> LoadedModules() {
  std::vector<ModuleFacts> modules;
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return modules;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Module32FirstW(snapshot, &entry); more; more = ::Module32NextW(snapshot, &entry)) {
    ModuleFacts module;
    module.path = Utf16Text(entry.szExePath);
    module.base = reinterpret_cast<std::uintptr_t>(entry.modBaseAddr);
    module.size = entry.modBaseSize;
    module.version = FileVersion(module.path);
    modules.push_back(std::move(module));
  }
  ::CloseHandle(snapshot);
  return modules;
}

std::u16string FileVersion(const std::u16string& path) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(AsWide(path), &ignored);
  if (size == 0) return {};
  std::string data(size, '\0');
  if (!::GetFileVersionInfoW(AsWide(path), 0, size, data.data())) return {};
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  return DecimalText(HIWORD(fixed->dwFileVersionMS)) + u"." + DecimalText(LOWORD(fixed->dwFileVersionMS)) +
         u"." + DecimalText(HIWORD(fixed->dwFileVersionLS)) + u"." +
         DecimalText(LOWORD(fixed->dwFileVersionLS));
}

std::u16string WindowsVersion() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (ntdll == nullptr) return {};
  using RtlGetVersionFunction = LONG(WINAPI*)(OsVersion*);
  const auto getVersion = reinterpret_cast<RtlGetVersionFunction>(
      reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
  std::u16string text;
  OsVersion version{};
  version.size = sizeof(version);
  if (getVersion != nullptr && getVersion(&version) == 0) {
    text = DecimalText(version.major) + u"." + DecimalText(version.minor) + u"." + DecimalText(version.build);
    const std::u16string servicePack = Utf16Text(version.servicePack);
    if (!servicePack.empty()) text += u" " + servicePack;
  }
  using WineVersionFunction = const char*(CDECL*)();
  const auto wineVersion = reinterpret_cast<WineVersionFunction>(
      reinterpret_cast<void*>(::GetProcAddress(ntdll, "wine_get_version")));
  if (wineVersion != nullptr && wineVersion() != nullptr)
    text += u" (Wine " + AsciiToUtf16(wineVersion()) + u")";
  return text;
}

std::optional<std::uint64_t> UpTimeMilliseconds() {
  FILETIME created{};
  FILETIME exited{};
  FILETIME kernel{};
  FILETIME user{};
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return std::nullopt;
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  if (ticks(now) < ticks(created)) return std::nullopt;
  return (ticks(now) - ticks(created)) / 10000;  // 100-nanosecond units
}

}  // namespace velmoran::crash::win32
