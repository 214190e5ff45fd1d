#include "crash/win32/MinidumpFile.h"

#include "base/Text.h"
#include "platform/win32/WideText.h"

namespace velmoran::crash::win32 {

using platform::win32::AsWide;

std::u16string WriteMinidump(DbgHelpLibrary& dbghelp, const std::u16string& path, DWORD threadId,
                             EXCEPTION_POINTERS* exception) {
  if (dbghelp.miniDumpWriteDump == nullptr) return u"dbghelp.dll has no MiniDumpWriteDump";
  const HANDLE file =
      ::CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return u"the file could not be created (error " + DecimalText(::GetLastError()) + u")";
  MINIDUMP_EXCEPTION_INFORMATION information{};
  information.ThreadId = threadId;
  information.ExceptionPointers = exception;
  information.ClientPointers = FALSE;  // the pointers are this process's own
  // The extra streams first; an older dbghelp that refuses them still writes the normal dump.
  BOOL written = FALSE;
  DWORD error = 0;
  for (const int type :
       {MiniDumpNormal | MiniDumpWithThreadInfo | MiniDumpWithUnloadedModules, int{MiniDumpNormal}}) {
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
    written = dbghelp.miniDumpWriteDump(::GetCurrentProcess(), ::GetCurrentProcessId(), file,
                                        static_cast<MINIDUMP_TYPE>(type),
                                        exception != nullptr ? &information : nullptr, nullptr, nullptr);
    error = ::GetLastError();
    if (written) break;
  }
  ::CloseHandle(file);
  if (written) return {};
  return u"MiniDumpWriteDump failed (error 0x" + Hex8(error) + u")";
}

}  // namespace velmoran::crash::win32
