#pragma once

// A plain native child window docked to an edge of its form; showing or
// hiding it asks the form to align its children again. One control may fill
// it, following its size and choosing its own colours.

#include <cstdint>
#include <functional>
#include <string>

#include "app/DockLayout.h"
#include "platform/Platform.h"

namespace velmoran::app {

// A control of the system inside a panel. The system asks the parent, not
// the control, for the colours a control paints with (WM_CTLCOLOREDIT,
// WM_CTLCOLORSTATIC); the panel hands the question on.
class TFillingControl {
 public:
  virtual platform::WindowHandle Handle() const = 0;
  // Sets the device context's colours and answers the background brush.
  virtual platform::GdiObject ControlColor(platform::DeviceContext deviceContext) = 0;

 protected:
  ~TFillingControl() = default;
};

class TPanel : public platform::WindowProcedure {
 public:
  TPanel(platform::WindowManager& windows, std::u16string className, TAlign align, std::int32_t size);
  virtual ~TPanel();
  TPanel(const TPanel&) = delete;
  TPanel& operator=(const TPanel&) = delete;

  bool CreateHandle(platform::WindowHandle parent, std::function<void()> realign);
  platform::WindowHandle Handle() const { return FHandle; }

  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  DockedWindow Docking() const { return DockedWindow{FHandle, FAlign, FSize, FVisible}; }

  // The control that covers the client area from now on; none: no control.
  void SetFillingControl(TFillingControl* control);

  std::intptr_t WindowProc(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;

 private:
  void FitFillingControl();

  platform::WindowManager& FWindows;
  std::u16string FClassName;
  TAlign FAlign;
  std::int32_t FSize;
  bool FVisible = true;
  platform::WindowHandle FHandle = 0;
  std::function<void()> FRealign;
  TFillingControl* FFilling = nullptr;
};

}  // namespace velmoran::app
