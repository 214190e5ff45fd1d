#pragma once

// A diagnostic trace of the runtime's steps, written only when the
// environment variable VELMORAN_CHROMIUM_TRACE names a file (Unix or Windows
// path as Wine sees it), one line per step after the Unix time in
// milliseconds. Costs one environment read otherwise.

#include <string_view>

namespace velmoran::runtime::chromium {

void Trace(std::string_view line);

}  // namespace velmoran::runtime::chromium
