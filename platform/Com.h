#pragma once

#include <cstddef>
#include <cstdint>

namespace velmoran::platform {

// COM services of the thread: task memory (texts and arrays handed across the
// browser runtime's interfaces) and apartment initialisation.
class Com {
 public:
  virtual ~Com() = default;
  virtual void* CoTaskMemAlloc(std::size_t size) = 0;
  virtual void CoTaskMemFree(void* block) = 0;
};

}  // namespace velmoran::platform
