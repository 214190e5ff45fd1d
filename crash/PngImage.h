#pragma once

// The screenshot of a crash report as a PNG file: 8-bit RGB, no interlace,
// every row unfiltered, the pixel data in one zlib stream (codec/Deflate.h).

#include <string>

#include "crash/BugReport.h"

namespace velmoran::crash {

// The file's bytes; empty for an empty picture or one whose pixel count does
// not match its size.
std::string EncodePng(const Screenshot& picture);

}  // namespace velmoran::crash
