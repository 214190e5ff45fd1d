#include "platform/win32/Win32Graphics.h"

#include <windows.h>

#include <algorithm>

namespace velmoran::platform::win32 {
namespace {

HGDIOBJ GdiObjectOf(GdiObject object) { return reinterpret_cast<HGDIOBJ>(object); }
HDC Dc(DeviceContext deviceContext) { return reinterpret_cast<HDC>(deviceContext); }

}  // namespace

GdiObject Win32Graphics::CreateFontIndirectW(const LogFont& font) {
  LOGFONTW native{};
  if (font.faceName.size() >= LF_FACESIZE) return 0;
  native.lfHeight = font.height;
  native.lfWeight = font.weight;
  native.lfCharSet = font.charSet;
  std::copy(font.faceName.begin(), font.faceName.end(), native.lfFaceName);
  return reinterpret_cast<GdiObject>(::CreateFontIndirectW(&native));
}

GdiObject Win32Graphics::GetStockObject(std::int32_t index) {
  return reinterpret_cast<GdiObject>(::GetStockObject(index));
}

bool Win32Graphics::DeleteObject(GdiObject object) { return ::DeleteObject(GdiObjectOf(object)) != FALSE; }

ColorRef Win32Graphics::GetSysColor(std::int32_t index) { return ::GetSysColor(index); }

ColorRef Win32Graphics::SetTextColor(DeviceContext deviceContext, ColorRef color) {
  return ::SetTextColor(Dc(deviceContext), color);
}

ColorRef Win32Graphics::SetBkColor(DeviceContext deviceContext, ColorRef color) {
  return ::SetBkColor(Dc(deviceContext), color);
}

}  // namespace velmoran::platform::win32
