#pragma once

#include "platform/Com.h"

namespace velmoran::platform::win32 {

class Win32Com final : public Com {
 public:
  void* CoTaskMemAlloc(std::size_t size) override;
  void CoTaskMemFree(void* block) override;
};

}  // namespace velmoran::platform::win32
