#pragma once

// A plain native child window docked to an edge of its form; showing or
// hiding it asks the form to align its children again.

#include <cstdint>
#include <functional>
#include <string>

#include "app/DockLayout.h"
#include "platform/Platform.h"

namespace velmoran::app {

class TPanel : public platform::WindowProcedure {
 public:
  TPanel(platform::WindowManager& windows, std::u16string className, TAlign align, std::int32_t size);
  virtual ~TPanel();
  TPanel(const TPanel&) = delete;
  TPanel& operator=(const TPanel&) = delete;

  bool CreateHandle(platform::WindowHandle parent, std::function<void()> realign);
  platform::WindowHandle Handle() const { return handle_; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  DockedWindow Docking() const { return DockedWindow{handle_, align_, size_, visible_}; }

  std::intptr_t WindowProc(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;

 private:
  platform::WindowManager& windows_;
  std::u16string className_;
  TAlign align_;
  std::int32_t size_;
  bool visible_ = true;
  platform::WindowHandle handle_ = 0;
  std::function<void()> realign_;
};

}  // namespace velmoran::app
