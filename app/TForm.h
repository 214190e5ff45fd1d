#pragma once

// A top-level window of the application framework: created hidden with a
// client area of a given size centred on the screen and its own font, shown
// once (its show step running first), its docked children aligned whenever
// its client area changes, key-down messages delivered to KeyDown.

#include <cstdint>
#include <string>
#include <vector>

#include "app/DockLayout.h"
#include "platform/Platform.h"

namespace velmoran::app {

class TApplication;

// Modifier keys held with a key.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;

struct TFormProperties {
  std::u16string className;
  std::int32_t clientWidth = 0;
  std::int32_t clientHeight = 0;
  std::uint32_t style = 0;
  bool maximisedAtFirstShow = false;
  platform::LogFont font;
};

class TForm : public platform::WindowProcedure {
 public:
  TForm(TApplication& application, TFormProperties properties);
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  // Creates the font, the native window and the children, then runs the creation step.
  void Create();
  // Runs the show step the first time, then displays the window and focuses it.
  void Show();
  // Destroys the window, then the font it and its children were using.
  void DestroyHandle();

  platform::WindowHandle Handle() const { return FHandle; }
  // The window's font, made with the window; children showing text take it too.
  platform::GdiObject Font() const { return FFont; }
  std::u16string Caption() const;
  void SetCaption(std::u16string_view caption);
  void AlignControls();

  TApplication& Application() const { return FApplication; }
  platform::Platform& Platform() const;

  std::intptr_t WindowProc(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;

 protected:
  virtual void CreateChildren() {}
  virtual std::vector<DockedWindow> DockedChildren() const { return {}; }
  virtual void DoCreate() {}
  virtual void DoShow() {}
  // `key` set to 0 keeps the key from any later handling.
  virtual void KeyDown(std::uint16_t& key, TShiftState shift) {
    (void)key;
    (void)shift;
  }

 private:
  TShiftState CurrentShiftState() const;

  TApplication& FApplication;
  TFormProperties FProperties;
  platform::WindowHandle FHandle = 0;
  platform::GdiObject FFont = 0;
  platform::GdiObject FFontInUse = 0;  // as WM_SETFONT last set it
  std::u16string FCaption;
  bool FShown = false;
};

}  // namespace velmoran::app
