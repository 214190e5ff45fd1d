#pragma once

#include "platform/Locale.h"

namespace velmoran::platform::win32 {

class Win32Locale final : public Locale {
 public:
  std::uint32_t GetACP() override;
  std::string WideCharToMultiByte(std::uint32_t codePage, std::u16string_view text) override;
  std::u16string TimeSeparator() override;
  std::u16string FormatMessageW(std::uint32_t errorCode) override;
};

}  // namespace velmoran::platform::win32
