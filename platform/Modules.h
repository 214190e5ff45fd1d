#pragma once

// Loading libraries and finding their exports, with the meanings of the Win32
// calls of the same names.

#include <cstdint>
#include <string_view>

#include "platform/Types.h"

namespace velmoran::platform {

// FARPROC: an export's address. The caller casts it to the export's real
// function type before calling it.
using ProcAddress = void (*)();

class Modules {
 public:
  virtual ~Modules() = default;

  // Loads a library by name or path; 0 on failure with the reason in
  // GetLastError() (ERROR_MOD_NOT_FOUND 126 for a missing library). A relative
  // name is searched as Windows does, the executable's folder first. Loading a
  // library already loaded answers the same handle and counts one more load.
  virtual Handle LoadLibraryW(std::u16string_view fileName) = 0;

  // The named export, or nullptr with ERROR_PROC_NOT_FOUND (127).
  virtual ProcAddress GetProcAddress(Handle module, std::string_view procName) = 0;

  // Undoes one LoadLibraryW; the library leaves the process with its last free.
  virtual bool FreeLibrary(Handle module) = 0;

  virtual std::uint32_t GetLastError() = 0;
};

}  // namespace velmoran::platform
