#pragma once

// The platform under a contract test: the simulated Windows natively, the
// real one in the 32-bit Windows test program under Wine. The same test
// tables run against both; where a case needs the world arranged (a registry
// value, a running process) the backend does it its own way.

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace velmoran::contract {

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;

  // "sim" or "win32", for the few cases where Wine is known to differ from Windows.
  virtual const char* Name() const = 0;
  virtual platform::Platform& Services() = 0;
  // A fresh, empty folder on drive C: for one test, as a full Windows path
  // without a trailing backslash; removed with its content when the backend goes.
  virtual std::u16string ScratchFolder() = 0;
};

// The backend this test program was built for.
std::unique_ptr<ContractBackend> MakeContractBackend();

}  // namespace velmoran::contract
