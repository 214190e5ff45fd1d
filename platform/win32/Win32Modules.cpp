#include "platform/win32/Win32Modules.h"

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"

namespace velmoran::platform::win32 {

Handle Win32Modules::LoadLibraryW(std::u16string_view fileName) {
  const std::wstring name = TerminatedWide(fileName);
  return reinterpret_cast<Handle>(::LoadLibraryW(name.c_str()));
}

ProcAddress Win32Modules::GetProcAddress(Handle module, std::string_view procName) {
  const std::string name(procName);
  // FARPROC and ProcAddress are both plain function pointers; the caller
  // restores the export's real type.
  return reinterpret_cast<ProcAddress>(::GetProcAddress(reinterpret_cast<HMODULE>(module), name.c_str()));
}

bool Win32Modules::FreeLibrary(Handle module) {
  return ::FreeLibrary(reinterpret_cast<HMODULE>(module)) != FALSE;
}

std::uint32_t Win32Modules::GetLastError() { return ::GetLastError(); }

}  // namespace velmoran::platform::win32
