#pragma once

// The browser control the main window places. It adds nothing to creation;
// it knows the form that holds it, so the page can move and size that form.

#include "webview/browser/TWVBrowserBase.h"

namespace velmoran::webview {

class TWVBrowser : public TWVBrowserBase {
 public:
  using TWVBrowserBase::TWVBrowserBase;

  // The top-level window moved and sized by the form operations; 0 leaves them without effect.
  platform::WindowHandle FormHandle() const { return FFormHandle; }
  void SetFormHandle(platform::WindowHandle aHandle) { FFormHandle = aHandle; }

  void MoveFormTo(std::int32_t x, std::int32_t y) override;
  void MoveFormBy(std::int32_t x, std::int32_t y) override;
  void ResizeFormWidthTo(std::int32_t x) override;
  void ResizeFormHeightTo(std::int32_t y) override;
  void SetFormLeftTo(std::int32_t x) override;
  void SetFormTopTo(std::int32_t y) override;

 private:
  // Moves the form to the rectangle `change` makes of its present outer bounds.
  template <typename Change>
  void ChangeFormBounds(Change&& change);

  platform::WindowHandle FFormHandle = 0;
};

}  // namespace velmoran::webview
