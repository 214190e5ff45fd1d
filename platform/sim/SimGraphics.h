#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "platform/Graphics.h"

namespace velmoran::platform::sim {

// Fonts kept as they were asked for, device contexts as the colours last set
// on them, and the system's colours of a default Windows. Tests read what a
// window was given and prove that every font made was deleted again.
class SimGraphics final : public Graphics {
 public:
  // A device context's colours as the calls left them.
  struct TextColors {
    ColorRef text = kBlack;
    ColorRef background = 0xFFFFFF;
  };

  GdiObject CreateFontIndirectW(const LogFont& font) override;
  GdiObject GetStockObject(std::int32_t index) override;
  bool DeleteObject(GdiObject object) override;
  ColorRef GetSysColor(std::int32_t index) override;
  ColorRef SetTextColor(DeviceContext deviceContext, ColorRef color) override;
  ColorRef SetBkColor(DeviceContext deviceContext, ColorRef color) override;

  // --- Test controls ---

  // The font behind a handle while it is not deleted.
  std::optional<LogFont> FontOf(GdiObject object) const;
  std::size_t LiveFonts() const { return fonts_.size(); }
  std::size_t FontsCreated() const { return fontsCreated_; }
  TextColors ColorsOf(DeviceContext deviceContext) const;
  // The handle GetStockObject answers for a stock object index.
  static GdiObject StockObject(std::int32_t index);

 private:
  std::map<GdiObject, LogFont> fonts_;
  std::map<DeviceContext, TextColors> deviceContexts_;
  GdiObject nextFont_ = 0x0A010000;
  std::size_t fontsCreated_ = 0;
};

}  // namespace velmoran::platform::sim
