#include "platform/sim/SimEditControl.h"

#include <algorithm>

#include "platform/EditControl.h"
#include "platform/WindowManager.h"

namespace velmoran::platform::sim {
namespace {

std::u16string_view ZeroEnded(std::intptr_t pointer) {
  const auto* text = reinterpret_cast<const char16_t*>(pointer);
  return text == nullptr ? std::u16string_view() : std::u16string_view(text);
}

std::size_t CountLines(std::u16string_view text) {
  std::size_t lines = 1;
  for (std::size_t at = text.find(u"\r\n"); at != std::u16string_view::npos;
       at = text.find(u"\r\n", at + 2)) {
    ++lines;
  }
  return lines;
}

}  // namespace

SimEditControl::SimEditControl(std::uint32_t style)
    : multiline_((style & kEsMultiline) != 0), limit_(kEditDefaultLimit) {}

void SimEditControl::SetSelection(std::size_t length, std::uint32_t start, std::uint32_t end) {
  if (start == 0xFFFFFFFFu) {
    // -1 as the start drops the selection and keeps the caret where it is.
    selStart_ = selEnd_;
    return;
  }
  const std::size_t first = std::min<std::size_t>(start, length);
  const std::size_t last = std::min<std::size_t>(end, length);
  selStart_ = std::min(first, last);
  selEnd_ = std::max(first, last);
}

void SimEditControl::ReplaceSelection(std::u16string& text, std::u16string_view inserted) {
  const std::size_t kept = text.size() - (selEnd_ - selStart_);
  // What does not fit under the limit is cut off, as typing would be.
  const std::size_t room = limit_ > kept ? limit_ - kept : 0;
  if (inserted.size() > room) inserted = inserted.substr(0, room);
  text.replace(selStart_, selEnd_ - selStart_, inserted);
  selStart_ += inserted.size();
  selEnd_ = selStart_;
}

std::optional<std::intptr_t> SimEditControl::WindowProc(std::u16string& text, std::uint32_t message,
                                                        std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case kWmSetText:
      text = std::u16string(ZeroEnded(lParam));
      TextSet();
      return 1;
    case kWmGetTextLength:
      return static_cast<std::intptr_t>(text.size());
    case kWmGetText: {
      auto* buffer = reinterpret_cast<char16_t*>(lParam);
      if (buffer == nullptr || wParam == 0) return 0;
      const std::size_t copied = std::min<std::size_t>(text.size(), wParam - 1);
      std::copy_n(text.data(), copied, buffer);
      buffer[copied] = u'\0';
      return static_cast<std::intptr_t>(copied);
    }
    case kWmSetFont:
      font_ = static_cast<Handle>(wParam);
      return 0;
    case kWmGetFont:
      return static_cast<std::intptr_t>(font_);
    case kEmSetSel:
      SetSelection(text.size(), static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
      return 0;
    case kEmReplaceSel:
      ReplaceSelection(text, ZeroEnded(lParam));
      return 0;
    case kEmGetLineCount:
      return static_cast<std::intptr_t>(multiline_ ? CountLines(text) : 1);
    case kEmSetLimitText:
      limit_ = wParam != 0 ? static_cast<std::uint32_t>(wParam) : multiline_ ? 0xFFFFFFFFu : 0x7FFFFFFEu;
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace velmoran::platform::sim
