#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/Modules.h"

namespace velmoran::platform::sim {

class SimFiles;
class SimProcess;

// A table of libraries a test registers, each with its named exports. A
// library registered by full path is found only at that path; one registered
// by a bare name ("WebView2Loader.dll", "kernelbase.dll") stands for a system
// library that any relative load of that name finds. A relative name is
// searched as Windows does: the executable's folder, the system, then the
// current directory; ".dll" is added to a name without extension. Loads and frees are counted, so a test can
// prove that a library was released.
class SimModules final : public Modules {
 public:
  SimModules(SimFiles& files, SimProcess& process);
  ~SimModules() override;

  Handle LoadLibraryW(std::u16string_view fileName) override;
  ProcAddress GetProcAddress(Handle module, std::string_view procName) override;
  bool FreeLibrary(Handle module) override;
  std::uint32_t GetLastError() override { return lastError_; }

  // Test controls.
  void RegisterLibrary(std::u16string_view path, std::map<std::string, ProcAddress> exports);
  // Loading the library then fails with `errorCode` (ERROR_BAD_EXE_FORMAT 193, say).
  void RegisterFailingLibrary(std::u16string_view path, std::uint32_t errorCode);

  std::size_t TotalLoads() const { return totalLoads_; }
  std::size_t TotalFrees() const { return totalFrees_; }
  // Libraries with at least one load not yet freed.
  std::size_t LoadedLibraries() const;
  // The registered name or path each successful load resolved to, in order.
  const std::vector<std::u16string>& LoadLog() const { return loadLog_; }

 private:
  struct Library {
    std::u16string path;
    std::map<std::string, ProcAddress> exports;
    std::uint32_t loadError = 0;
    std::size_t references = 0;
    Handle handle = 0;
  };

  Library* Find(const std::u16string& normalizedPath);
  Library* Resolve(std::u16string_view fileName);
  Library* ByHandle(Handle module);
  void Register(std::u16string_view path, Library library);

  SimFiles& files_;
  SimProcess& process_;
  std::map<std::u16string, Library> libraries_;  // by normalized lower-case path or name
  Handle nextHandle_ = 0x10000000;
  std::uint32_t lastError_ = 0;
  std::size_t totalLoads_ = 0;
  std::size_t totalFrees_ = 0;
  std::vector<std::u16string> loadLog_;
};

}  // namespace velmoran::platform::sim
