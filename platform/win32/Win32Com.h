#pragma once

#include "platform/Com.h"

namespace velmoran::platform::win32 {

class Win32Com final : public Com {
 public:
  void* CoTaskMemAlloc(std::size_t size) override;
  void CoTaskMemFree(void* block) override;
  std::int32_t CoInitializeEx(std::uint32_t coInit) override;
  void CoUninitialize() override;
  std::int32_t OleInitialize() override;
  void OleUninitialize() override;
};

}  // namespace velmoran::platform::win32
