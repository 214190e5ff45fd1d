#pragma once

// The generic windowed control the host window builds on: a native child
// window of its own with the usual resize, focus and erase paths, and a
// handle that can be destroyed and made again (RecreateWnd) without the
// control object going away.
//
// Messages reach WndProc, which keeps the toolkit's default handling in
// DefaultHandler; derived classes replace WndProc and Resize and call the
// inherited versions where the toolkit's behaviour is wanted.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/WindowManager.h"
#include "webview/browser/TComponent.h"

namespace velmoran::webview {

// A window message as the control's handlers see it, with the answer they give.
struct TWVMessage {
  std::uint32_t Msg = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

// Sent to the control's own WndProc just before its native handle is
// destroyed and made again; the default handling does the re-creation.
inline constexpr std::uint32_t CM_RECREATEWND = 0xB034;

using TControlNotifyEvent = std::function<void(TComponent* Sender)>;

class TWVWinControl : public TComponent, public platform::WindowProcedure {
 public:
  explicit TWVWinControl(platform::WindowManager& windows);
  ~TWVWinControl() override;

  // Makes the native window inside `parent`. `realign`, when given, is asked
  // to place the control again after its handle was made anew (the owner's
  // layout knows where it goes; the control does not).
  bool CreateHandle(platform::WindowHandle parent, std::function<void()> realign = {});
  void DestroyHandle();
  bool HandleAllocated() const { return FHandle != 0; }
  platform::WindowHandle Handle() const { return FHandle; }
  platform::WindowHandle ParentHandle() const { return FParentHandle; }
  platform::WindowManager& Windows() const { return FWindows; }

  // Destroys the native window and makes a new one in the same parent,
  // announced to WndProc with CM_RECREATEWND. An error of the re-creation
  // leaves this call after WndProc has had its say.
  void RecreateWnd();
  // Runs a message through WndProc directly, as the window would receive it.
  std::intptr_t Perform(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

  // 0 while there is no native handle; otherwise the first child window
  // inside it (the browser runtime's window once the browser exists).
  platform::WindowHandle ChildWindowHandle() const;
  // Asks the control and every window inside it to be painted again.
  void InvalidateChildren();
  // Places the first child window at (0, 0) with the size of the client area.
  virtual void UpdateSize();
  virtual void SetFocus();

  platform::Rect ClientRect() const;

  // Layout and input properties of the toolkit the shell sets.
  bool TabStop = true;
  bool Visible = true;
  bool Enabled = true;

  TControlNotifyEvent OnResize;
  TControlNotifyEvent OnEnter;
  TControlNotifyEvent OnExit;

  std::intptr_t WindowProc(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) final;

 protected:
  // The toolkit's own handle creation: a visible, focusable child window.
  virtual void CreateHandle();
  virtual void WndProc(TWVMessage& aMessage);
  // The toolkit's handling of a message nobody else took.
  void DefaultHandler(TWVMessage& aMessage);
  // The size of the native window changed: raises OnResize, then UpdateSize.
  virtual void Resize();
  // The toolkit's erase of the background: the system's default erase with
  // the window class's brush; answers whether it erased.
  virtual bool EraseBackground(std::uintptr_t deviceContext);

 private:
  platform::WindowManager& FWindows;
  platform::WindowHandle FHandle = 0;
  platform::WindowHandle FParentHandle = 0;
  std::function<void()> FRealign;
  bool FRecreating = false;
};

}  // namespace velmoran::webview
