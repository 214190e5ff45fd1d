#pragma once

// Alignment of docked child windows inside a client rectangle: top and
// bottom edges first, then left and right, then the one that fills the rest.
// Among windows docked to the same edge the earlier one is nearer the edge.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/WindowManager.h"

namespace velmoran::app {

enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct DockedWindow {
  platform::WindowHandle handle = 0;
  TAlign align = TAlign::alNone;
  std::int32_t size = 0;  // height for top and bottom, width for left and right
  bool visible = true;
};

// One rectangle per entry, in the entries' order; hidden and undocked entries
// get an empty rectangle and take no room.
std::vector<platform::Rect> AlignDocked(const platform::Rect& client, std::span<const DockedWindow> windows);

}  // namespace velmoran::app
