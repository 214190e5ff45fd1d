#include "platform/sim/SimGraphics.h"

namespace velmoran::platform::sim {
namespace {

// Stock objects live in a handle range of their own, apart from made fonts.
constexpr GdiObject kStockBase = 0x0B000000;
constexpr std::int32_t kLastStockObject = 19;  // DC_PEN

}  // namespace

GdiObject SimGraphics::CreateFontIndirectW(const LogFont& font) {
  // LOGFONTW holds 32 characters, terminator included.
  if (font.faceName.size() > 31) return 0;
  const GdiObject handle = nextFont_;
  nextFont_ += 4;
  fonts_.emplace(handle, font);
  ++fontsCreated_;
  return handle;
}

GdiObject SimGraphics::StockObject(std::int32_t index) {
  return kStockBase + static_cast<GdiObject>(index) * 4;
}

GdiObject SimGraphics::GetStockObject(std::int32_t index) {
  if (index < 0 || index > kLastStockObject) return 0;
  return StockObject(index);
}

bool SimGraphics::DeleteObject(GdiObject object) {
  // Deleting a stock object succeeds and changes nothing, as on Windows.
  if (object >= kStockBase && object <= StockObject(kLastStockObject)) return true;
  return fonts_.erase(object) != 0;
}

ColorRef SimGraphics::GetSysColor(std::int32_t index) {
  switch (index) {
    case kColorWindow:
      return 0xFFFFFF;
    case kColorWindowText:
      return kBlack;
    case kColorBtnFace:
      return 0xF0F0F0;
    default:
      return kBlack;
  }
}

ColorRef SimGraphics::SetTextColor(DeviceContext deviceContext, ColorRef color) {
  if (deviceContext == 0) return kClrInvalid;
  TextColors& colors = deviceContexts_[deviceContext];
  const ColorRef previous = colors.text;
  colors.text = color;
  return previous;
}

ColorRef SimGraphics::SetBkColor(DeviceContext deviceContext, ColorRef color) {
  if (deviceContext == 0) return kClrInvalid;
  TextColors& colors = deviceContexts_[deviceContext];
  const ColorRef previous = colors.background;
  colors.background = color;
  return previous;
}

std::optional<LogFont> SimGraphics::FontOf(GdiObject object) const {
  auto it = fonts_.find(object);
  if (it == fonts_.end()) return std::nullopt;
  return it->second;
}

SimGraphics::TextColors SimGraphics::ColorsOf(DeviceContext deviceContext) const {
  auto it = deviceContexts_.find(deviceContext);
  return it == deviceContexts_.end() ? TextColors{} : it->second;
}

}  // namespace velmoran::platform::sim
