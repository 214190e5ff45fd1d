#pragma once

// Facts about the running process.

#include <cstdint>
#include <string>

namespace velmoran::platform {

class Process {
 public:
  virtual ~Process() = default;

  // GetModuleFileNameW for the process's own executable into a buffer of
  // `capacity` characters (terminator included). False when the path did not
  // fit; `path` then holds the truncated text as the system leaves it.
  virtual bool GetModuleFileNameW(std::uint32_t capacity, std::u16string& path) = 0;
};

}  // namespace velmoran::platform
