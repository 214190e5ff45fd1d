#pragma once

// The X side of a Wine window: real key presses with xdotool, screenshots and
// their pixels with ImageMagick, the window's icon as the window manager sees it.

#include <windows.h>

#include <optional>
#include <string>

namespace velmoran::test {

// Wine's X window behind a top-level window ("0x..."), or empty.
std::string XWindowOf(HWND window);

// Gives the window the X input focus, then types `keys` (xdotool's names,
// "F11") as real key events; true when xdotool succeeded. A key the window
// manager binds (openbox's Alt+F4) goes to the window manager instead.
bool PressKeys(HWND window, const std::string& keys);

// Clicks the close button of the window's caption with the real mouse.
bool ClickCloseButton(HWND window);

// The whole screen into `name`.png in the artefacts folder (VELMORAN_ARTIFACTS,
// else the program's scratch folder); the Unix path, or empty on failure.
std::string Screenshot(const std::string& name);

struct ImageSize {
  int width = 0;
  int height = 0;
};
// Read from the PNG's header.
std::optional<ImageSize> PngSize(const std::string& unixPath);
// ImageMagick's colour of one pixel, such as "srgb(240,240,240)".
std::string PixelAt(const std::string& unixPath, int x, int y);

// The sizes of the icons the window offers the window manager ("32x32 16x16").
std::string WindowIconSizes(HWND window);

}  // namespace velmoran::test
