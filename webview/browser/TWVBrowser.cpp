#include "webview/browser/TWVBrowser.h"

namespace velmoran::webview {

using namespace platform;

template <typename Change>
void TWVBrowser::ChangeFormBounds(Change&& change) {
  WindowManager& windows = Platform().windows();
  Rect bounds;
  if (FFormHandle == 0 || !windows.GetWindowRect(FFormHandle, bounds)) return;
  change(bounds);
  windows.SetWindowPos(FFormHandle, 0, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                       kSwpNoZOrder | kSwpNoActivate);
}

void TWVBrowser::MoveFormTo(std::int32_t x, std::int32_t y) {
  ChangeFormBounds([&](Rect& bounds) { bounds = Rect{x, y, x + bounds.Width(), y + bounds.Height()}; });
}

void TWVBrowser::MoveFormBy(std::int32_t x, std::int32_t y) {
  ChangeFormBounds([&](Rect& bounds) {
    bounds = Rect{bounds.left + x, bounds.top + y, bounds.right + x, bounds.bottom + y};
  });
}

void TWVBrowser::ResizeFormWidthTo(std::int32_t x) {
  ChangeFormBounds([&](Rect& bounds) { bounds.right = bounds.left + x; });
}

void TWVBrowser::ResizeFormHeightTo(std::int32_t y) {
  ChangeFormBounds([&](Rect& bounds) { bounds.bottom = bounds.top + y; });
}

void TWVBrowser::SetFormLeftTo(std::int32_t x) {
  ChangeFormBounds([&](Rect& bounds) { bounds = Rect{x, bounds.top, x + bounds.Width(), bounds.bottom}; });
}

void TWVBrowser::SetFormTopTo(std::int32_t y) {
  ChangeFormBounds([&](Rect& bounds) { bounds = Rect{bounds.left, y, bounds.right, y + bounds.Height()}; });
}

}  // namespace velmoran::webview
