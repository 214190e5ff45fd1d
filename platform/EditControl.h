#pragma once

// The system's edit control: its class, styles and messages, with the
// meanings Win32 gives them. A window of this class created with no procedure
// of ours is the system's own control, and these messages go to it through
// WindowManager::SendMessageW.

#include <cstdint>
#include <string_view>

namespace velmoran::platform {

inline constexpr std::u16string_view kEditClass = u"EDIT";

// Styles (GWL_STYLE).
inline constexpr std::uint32_t kEsMultiline = 0x0004;
inline constexpr std::uint32_t kEsAutoVScroll = 0x0040;
inline constexpr std::uint32_t kEsAutoHScroll = 0x0080;

// EM_SETSEL: wParam the first character, lParam the one after the last;
// positions beyond the text stand for its end.
inline constexpr std::uint32_t kEmSetSel = 0x00B1;
inline constexpr std::uint32_t kEmGetLineCount = 0x00BA;
// EM_REPLACESEL: lParam a zero-ended UTF-16 text put in place of the
// selection; wParam TRUE keeps it for undo. Bound by the text limit.
inline constexpr std::uint32_t kEmReplaceSel = 0x00C2;
// EM_SETLIMITTEXT: wParam the most characters, 0 for the largest there is.
inline constexpr std::uint32_t kEmSetLimitText = 0x00C5;

// What a multi-line edit control holds before EM_SETLIMITTEXT.
inline constexpr std::uint32_t kEditDefaultLimit = 30000;

}  // namespace velmoran::platform
