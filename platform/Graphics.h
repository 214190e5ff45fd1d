#pragma once

// Fonts, brushes and colours for the shell's windows, with the meanings of
// the Win32 calls of the same names. A font made here belongs to its maker,
// who deletes it once no window uses it; stock objects belong to the system.

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace velmoran::platform {

using GdiObject = Handle;        // HGDIOBJ: a font or a brush
using DeviceContext = Handle;    // HDC
using ColorRef = std::uint32_t;  // COLORREF, 0x00BBGGRR

inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kClrInvalid = 0xFFFFFFFF;

// LOGFONTW, the fields a font of the shell sets; the rest stay zero.
struct LogFont {
  // Negative: the character height in pixels; positive: the cell height.
  std::int32_t height = 0;
  std::int32_t weight = 0;
  std::uint8_t charSet = 0;
  std::u16string faceName;  // at most 31 characters

  friend bool operator==(const LogFont&, const LogFont&) = default;
};

inline constexpr std::int32_t kFwBold = 700;
inline constexpr std::uint8_t kDefaultCharset = 1;

// GetStockObject.
inline constexpr std::int32_t kBlackBrush = 4;

// GetSysColor.
inline constexpr std::int32_t kColorWindow = 5;
inline constexpr std::int32_t kColorWindowText = 8;
inline constexpr std::int32_t kColorBtnFace = 15;

class Graphics {
 public:
  virtual ~Graphics() = default;

  // CreateFontIndirectW; 0 on failure.
  virtual GdiObject CreateFontIndirectW(const LogFont& font) = 0;
  virtual GdiObject GetStockObject(std::int32_t index) = 0;
  virtual bool DeleteObject(GdiObject object) = 0;

  virtual ColorRef GetSysColor(std::int32_t index) = 0;
  // The colours text is drawn in on a device context; each answers the
  // colour it replaced, kClrInvalid on failure.
  virtual ColorRef SetTextColor(DeviceContext deviceContext, ColorRef color) = 0;
  virtual ColorRef SetBkColor(DeviceContext deviceContext, ColorRef color) = 0;
};

}  // namespace velmoran::platform
