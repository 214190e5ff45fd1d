#pragma once

// The host window of the browser: the native window the browser is created
// in. It draws nothing itself; it keeps the browser's bounds equal to its
// client area, moves the focus into the page when it is focused, and detaches
// and re-attaches the browser when its own native handle is made anew.

#include "webview/browser/TWVBrowserBase.h"
#include "webview/browser/TWVWinControl.h"

namespace velmoran::webview {

class TWVWindowParent : public TWVWinControl {
 public:
  explicit TWVWindowParent(platform::WindowManager& windows);
  ~TWVWindowParent() override;

  TWVBrowserBase* Browser() const { return FBrowser; }
  // Not owned: the browser tells the host when it is destroyed first.
  void SetBrowser(TWVBrowserBase* aBrowser);

  // With a browser, its bounds become the client rectangle; without one the
  // first child window is sized as the base control does.
  void UpdateSize() override;
  // Focuses the host window, then asks the browser to take the focus into the page.
  void SetFocus() override;

 protected:
  void Notification(TComponent* aComponent, TOperation aOperation) override;
  void WndProc(TWVMessage& aMessage) override;
  void Resize() override;

 private:
  void RecreateWithBrowserDetached(TWVMessage& aMessage);

  TWVBrowserBase* FBrowser = nullptr;
};

}  // namespace velmoran::webview
