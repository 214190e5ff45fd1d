#pragma once

// The process's current directory switched for a while (only when asked) and
// restored when the holder goes, also when an exception passes. The file
// checks and the library load both run from the executable's folder this way.

#include <string>

#include "platform/Files.h"

namespace velmoran::webview {

class CurrentDirectoryScope {
 public:
  CurrentDirectoryScope(platform::Files& files, bool active, const std::u16string& folder) : files_(files) {
    if (!active) return;
    previous_ = files_.GetCurrentDirectoryW();
    switched_ = true;
    files_.SetCurrentDirectoryW(folder);
  }
  ~CurrentDirectoryScope() {
    if (switched_) files_.SetCurrentDirectoryW(previous_);
  }
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  platform::Files& files_;
  std::u16string previous_;
  bool switched_ = false;
};

}  // namespace velmoran::webview
