#include "webview/browser/TWVWindowParent.h"

namespace velmoran::webview {

using namespace platform;

TWVWindowParent::TWVWindowParent(WindowManager& windows) : TWVWinControl(windows) {}

TWVWindowParent::~TWVWindowParent() {
  NotifyRemoval();
  SetBrowser(nullptr);
}

void TWVWindowParent::SetBrowser(TWVBrowserBase* aBrowser) {
  if (FBrowser == aBrowser) return;
  if (FBrowser != nullptr) FBrowser->RemoveFreeNotification(this);
  FBrowser = aBrowser;
  if (FBrowser != nullptr) FBrowser->FreeNotification(this);
}

void TWVWindowParent::Notification(TComponent* aComponent, TOperation aOperation) {
  TWVWinControl::Notification(aComponent, aOperation);
  if (aOperation == TOperation::opRemove && aComponent == FBrowser) FBrowser = nullptr;
}

void TWVWindowParent::UpdateSize() {
  if (FBrowser == nullptr) {
    TWVWinControl::UpdateSize();
    return;
  }
  if (HandleAllocated()) FBrowser->SetBounds(ClientRect());
}

void TWVWindowParent::SetFocus() {
  TWVWinControl::SetFocus();
  if (FBrowser != nullptr) FBrowser->SetFocus();
}

void TWVWindowParent::Resize() {
  TWVWinControl::Resize();
  UpdateSize();
}

void TWVWindowParent::WndProc(TWVMessage& aMessage) {
  switch (aMessage.Msg) {
    case kWmSetFocus:
      if (FBrowser != nullptr) FBrowser->SetFocus();
      TWVWinControl::WndProc(aMessage);
      break;
    case kWmEraseBkgnd:
      // Once the runtime's window is inside, erasing would paint over it.
      if (ChildWindowHandle() == 0) TWVWinControl::WndProc(aMessage);
      break;
    case CM_RECREATEWND:
      RecreateWithBrowserDetached(aMessage);
      break;
    default:
      TWVWinControl::WndProc(aMessage);
      break;
  }
}

void TWVWindowParent::RecreateWithBrowserDetached(TWVMessage& aMessage) {
  // The runtime's windows must leave the old handle before it is destroyed,
  // or they would be destroyed with it.
  bool wasVisible = false;
  if (FBrowser != nullptr) {
    wasVisible = FBrowser->IsVisible();
    if (wasVisible) FBrowser->SetIsVisible(false);
    FBrowser->SetParentWindow(0);
  }
  // Re-attached whatever happens in the re-creation, to whichever handle the host has afterwards.
  auto reattach = [this, wasVisible] {
    if (FBrowser == nullptr) return;
    FBrowser->SetParentWindow(Handle());
    FBrowser->SetIsVisible(wasVisible);
  };
  try {
    TWVWinControl::WndProc(aMessage);
  } catch (...) {
    reattach();
    throw;
  }
  reattach();
}

}  // namespace velmoran::webview
