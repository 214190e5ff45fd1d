#pragma once

#include <string_view>

namespace velmoran::webview {

// `text` without the spaces and control characters (U+0000 to U+0020) at
// either end.
std::u16string_view TrimSpacesAndControls(std::u16string_view text);

}  // namespace velmoran::webview
