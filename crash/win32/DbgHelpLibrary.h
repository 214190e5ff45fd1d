#pragma once

// dbghelp.dll, loaded when a crash is reported rather than linked: a system
// without it (or with one too old) only loses the minidump and the walked
// stack, never the rest of the report. Its functions are not thread-safe;
// the reporter calls them from one step at a time.

#include <windows.h>
#include <dbghelp.h>

#include <string>

namespace velmoran::crash::win32 {

class DbgHelpLibrary {
 public:
  DbgHelpLibrary() = default;
  ~DbgHelpLibrary();
  DbgHelpLibrary(const DbgHelpLibrary&) = delete;
  DbgHelpLibrary& operator=(const DbgHelpLibrary&) = delete;

  // Loads the system's copy (never one planted beside the executable); on
  // failure `error` says why and every function stays null.
  bool Load(std::u16string& error);
  // Symbols for the process's modules, loaded as they are asked for. False
  // when the symbol functions are missing or refuse.
  bool InitializeSymbols();

  decltype(&::MiniDumpWriteDump) miniDumpWriteDump = nullptr;
  decltype(&::SymInitializeW) symInitialize = nullptr;
  decltype(&::SymSetOptions) symSetOptions = nullptr;
  decltype(&::SymCleanup) symCleanup = nullptr;
  decltype(&::StackWalk64) stackWalk64 = nullptr;
  decltype(&::SymFunctionTableAccess64) symFunctionTableAccess64 = nullptr;
  decltype(&::SymGetModuleBase64) symGetModuleBase64 = nullptr;
  decltype(&::SymFromAddr) symFromAddr = nullptr;

 private:
  HMODULE module_ = nullptr;
  bool symbols_ = false;
};

}  // namespace velmoran::crash::win32
