#pragma once

// The five exports of the simulated loader library, by export name, as the
// module table hands them to GetProcAddress. Each answers for the runtime that
// is installed at the time of the call.

#include <map>
#include <string>

#include "platform/Modules.h"

namespace velmoran::runtime::sim {

std::map<std::string, platform::ProcAddress> SimLoaderExports();

}  // namespace velmoran::runtime::sim
