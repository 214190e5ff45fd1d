#pragma once

#include "platform/Graphics.h"

namespace velmoran::platform::win32 {

class Win32Graphics final : public Graphics {
 public:
  GdiObject CreateFontIndirectW(const LogFont& font) override;
  GdiObject GetStockObject(std::int32_t index) override;
  bool DeleteObject(GdiObject object) override;
  ColorRef GetSysColor(std::int32_t index) override;
  ColorRef SetTextColor(DeviceContext deviceContext, ColorRef color) override;
  ColorRef SetBkColor(DeviceContext deviceContext, ColorRef color) override;
};

}  // namespace velmoran::platform::win32
