#pragma once

// A window as the screen shows it, taken through GDI from the screen's device
// context: its pixels for a test to look at, and a BMP file for a person to.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velmoran::test {

struct WindowPicture {
  RECT bounds{};                      // on the screen
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top down
  int width() const { return bounds.right - bounds.left; }
  int height() const { return bounds.bottom - bounds.top; }
  // The pixel at a point of the screen inside the bounds.
  std::uint32_t At(POINT onScreen) const {
    return pixels[static_cast<std::size_t>(onScreen.y - bounds.top) * width() + (onScreen.x - bounds.left)];
  }
};

WindowPicture CaptureWindow(HWND window);

// Writes `name`.bmp into the artefacts folder ($VELMORAN_ARTIFACTS, a Unix
// path, read through drive Z:); false when there is no such folder or the
// file could not be written.
bool SaveArtifact(const WindowPicture& picture, const std::string& name);

}  // namespace velmoran::test
