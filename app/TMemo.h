#pragma once

// Memo1, the log view as a window: the system's multi-line edit control,
// text in the system's window colour on black, with both scroll bars,
// filling its panel. Its lines are held in a LogView, which the log's rules
// read; every change there is written into the control at its end, so adding
// a line costs the line's length on our side, never the whole text's.

#include <cstddef>
#include <string>
#include <vector>

#include "app/LogView.h"
#include "app/TPanel.h"
#include "platform/Platform.h"

namespace velmoran::app {

class TMemo final : public TFillingControl, private LogViewMirror {
 public:
  TMemo(platform::WindowManager& windows, platform::Graphics& graphics);
  ~TMemo();
  TMemo(const TMemo&) = delete;
  TMemo& operator=(const TMemo&) = delete;

  // Makes the control inside `parent`, covering its client area, with the
  // lines held so far.
  bool CreateHandle(platform::WindowHandle parent, platform::GdiObject font);
  // The lines stay; the control is gone. The control has no procedure of
  // ours to learn that its parent took it down, so the owner says when.
  void DestroyHandle();
  platform::WindowHandle Handle() const override { return FHandle; }

  LogView& Contents() { return FContents; }
  std::size_t LineCount() const { return FContents.LineCount(); }
  const std::vector<std::u16string>& Lines() const { return FContents.Lines(); }

  platform::GdiObject ControlColor(platform::DeviceContext deviceContext) override;

 private:
  void LineAdded(const std::u16string& line) override;
  void Cleared() override;

  platform::WindowManager& FWindows;
  platform::Graphics& FGraphics;
  LogView FContents;
  platform::WindowHandle FHandle = 0;
};

}  // namespace velmoran::app
