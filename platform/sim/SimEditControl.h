#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace velmoran::platform::sim {

// The system's edit control as the simulation keeps it: its text is the
// window's title; the selection, the font and the text limit live here.
// Messages are answered as the real control answers them.
class SimEditControl {
 public:
  explicit SimEditControl(std::uint32_t style);

  // The answer when the control handles the message; none leaves it to the
  // window's default handling.
  std::optional<std::intptr_t> WindowProc(std::u16string& text, std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam);
  // The text was set anew: the caret goes back to its start.
  void TextSet() { selStart_ = selEnd_ = 0; }

  Handle Font() const { return font_; }
  std::uint32_t Limit() const { return limit_; }

 private:
  void SetSelection(std::size_t length, std::uint32_t start, std::uint32_t end);
  void ReplaceSelection(std::u16string& text, std::u16string_view inserted);

  bool multiline_;
  std::size_t selStart_ = 0;
  std::size_t selEnd_ = 0;
  Handle font_ = 0;
  std::uint32_t limit_;
};

}  // namespace velmoran::platform::sim
