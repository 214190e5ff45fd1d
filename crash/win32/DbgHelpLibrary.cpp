#include "crash/win32/DbgHelpLibrary.h"

#include "base/Text.h"
#include "platform/win32/WideText.h"

namespace velmoran::crash::win32 {
namespace {

template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

DbgHelpLibrary::~DbgHelpLibrary() {
  if (symbols_ && symCleanup != nullptr) symCleanup(::GetCurrentProcess());
  if (module_ != nullptr) ::FreeLibrary(module_);
}

bool DbgHelpLibrary::Load(std::u16string& error) {
  wchar_t system[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    error = u"the system folder is unknown (error " + DecimalText(::GetLastError()) + u")";
    return false;
  }
  const std::wstring path = std::wstring(system, length) + L"\\dbghelp.dll";
  module_ = ::LoadLibraryW(path.c_str());
  if (module_ == nullptr) {
    error = u"dbghelp.dll could not be loaded (error " + DecimalText(::GetLastError()) + u")";
    return false;
  }
  Resolve(module_, "MiniDumpWriteDump", miniDumpWriteDump);
  Resolve(module_, "SymInitializeW", symInitialize);
  Resolve(module_, "SymSetOptions", symSetOptions);
  Resolve(module_, "SymCleanup", symCleanup);
  Resolve(module_, "StackWalk64", stackWalk64);
  Resolve(module_, "SymFunctionTableAccess64", symFunctionTableAccess64);
  Resolve(module_, "SymGetModuleBase64", symGetModuleBase64);
  Resolve(module_, "SymFromAddr", symFromAddr);
  return true;
}

bool DbgHelpLibrary::InitializeSymbols() {
  if (symbols_) return true;
  if (symInitialize == nullptr || symSetOptions == nullptr) return false;
  symSetOptions(SYMOPT_UNDNAME | SYMOPT_DEFERRED_LOADS | SYMOPT_FAIL_CRITICAL_ERRORS | SYMOPT_NO_PROMPTS);
  symbols_ = symInitialize(::GetCurrentProcess(), nullptr, TRUE) != FALSE;
  return symbols_;
}

}  // namespace velmoran::crash::win32
