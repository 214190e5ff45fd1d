#include "app/DockLayout.h"

#include <algorithm>

namespace velmoran::app {

std::vector<platform::Rect> AlignDocked(const platform::Rect& client, std::span<const DockedWindow> windows) {
  std::vector<platform::Rect> rects(windows.size());
  platform::Rect rest = client;
  constexpr TAlign kOrder[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                               TAlign::alClient};
  for (TAlign align : kOrder) {
    for (std::size_t i = 0; i < windows.size(); ++i) {
      const DockedWindow& window = windows[i];
      if (!window.visible || window.align != align) continue;
      const std::int32_t height = std::clamp(window.size, 0, rest.Height());
      const std::int32_t width = std::clamp(window.size, 0, rest.Width());
      platform::Rect& r = rects[i];
      switch (align) {
        case TAlign::alTop:
          r = {rest.left, rest.top, rest.right, rest.top + height};
          rest.top += height;
          break;
        case TAlign::alBottom:
          r = {rest.left, rest.bottom - height, rest.right, rest.bottom};
          rest.bottom -= height;
          break;
        case TAlign::alLeft:
          r = {rest.left, rest.top, rest.left + width, rest.bottom};
          rest.left += width;
          break;
        case TAlign::alRight:
          r = {rest.right - width, rest.top, rest.right, rest.bottom};
          rest.right -= width;
          break;
        case TAlign::alClient:
          r = rest;
          break;
        case TAlign::alNone:
          break;
      }
    }
  }
  return rects;
}

}  // namespace velmoran::app
