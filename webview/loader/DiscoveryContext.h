#pragma once

#include "platform/Platform.h"

namespace velmoran::webview {

// What every runtime lookup reads from: the platform, and the loader's
// exception policy (its ReRaiseExceptions setting).
struct DiscoveryContext {
  platform::Platform& platform;
  bool reRaiseExceptions = false;
};

}  // namespace velmoran::webview
