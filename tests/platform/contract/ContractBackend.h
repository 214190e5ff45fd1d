#pragma once

// The platform under a contract test: the simulated Windows natively, the
// real one in the 32-bit Windows test program under Wine. The same test
// tables run against both; where a case needs the world arranged (a registry
// value, a running process) the backend does it its own way: the sim through
// its scripting controls, the real one through the Win32 calls a user or
// installer would make.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace velmoran::test {

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;

  // "sim" or "win32".
  virtual const char* Name() const = 0;
  // True for the real backend when the system under it is Wine. The contract
  // states Windows' rules; the few places where Wine is known to answer
  // otherwise expect Wine's answer there (see Expected below).
  virtual bool UnderWine() const = 0;
  virtual platform::Platform& Services() = 0;

  // A fresh, empty folder on drive C: for one test, as a full Windows path
  // without a trailing backslash; removed with its content when the backend goes.
  virtual std::u16string ScratchFolder() = 0;

  // The files of the same drives as another process of the system sees them:
  // its handles are not this process's handles.
  virtual platform::Files& OtherProcessFiles() = 0;

  // Gives an existing file the read-only attribute, as a user would in its
  // properties; the scratch folder's removal takes it away again.
  virtual void MakeReadOnly(std::u16string_view path) = 0;

  // A key below HKEY_CURRENT_USER that only this backend writes to
  // ("Software\...", no trailing backslash); removed when the backend goes.
  virtual std::u16string RegistrySandbox() = 0;
  // Creates `subKey` (below the sandbox, "" for the sandbox itself) with the
  // keys on the way.
  virtual void CreateRegistryKey(std::u16string_view subKey) = 0;
  // Stores a value's bytes exactly as given (a REG_SZ without terminator stays so).
  virtual void SetRegistryValue(std::u16string_view subKey, std::u16string_view name, std::uint32_t type,
                                const std::vector<std::uint8_t>& data) = 0;

  // Defines (or, with nullopt, removes) a variable of this process's environment.
  virtual void SetVariable(std::u16string_view name, std::optional<std::u16string_view> value) = 0;

  // Starts a process whose image file is called `imageName` ("x.exe"); it
  // runs until the backend goes. Answers its process id, 0 when it could not start.
  virtual std::uint32_t StartProcess(std::u16string_view imageName) = 0;

  // The full path of a program file that ShellExecuteExW can start; it ends
  // by itself at once.
  virtual std::u16string ProgramFile() = 0;

  // The file name of a library beside the executable that exports
  // "ContractAnswer", an int() function answering 42. Its version resource
  // holds the file version 1.2.3.4 and, under "\StringFileInfo\040904B0",
  // the ProductVersion "1.2.3.4".
  virtual std::u16string LibraryWithExports() = 0;
};

// The backend this test program was built for.
std::unique_ptr<ContractBackend> MakeContractBackend();

// What a case expects: Windows' answer, or Wine's where Wine is known to
// differ from Windows (each such case says why in its table).
template <typename T>
const T& Expected(const ContractBackend& backend, const T& windows, const std::optional<T>& wine) {
  return backend.UnderWine() && wine.has_value() ? *wine : windows;
}

// Extends a full path with a name of letters to exactly `length` characters.
inline std::u16string PathOfLength(std::u16string_view folder, std::size_t length, char16_t letter = u'n') {
  std::u16string path(folder);
  path += u'\\';
  if (path.size() < length) path.append(length - path.size(), letter);
  return path;
}

}  // namespace velmoran::test
