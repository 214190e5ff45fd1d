#pragma once

// The page's HTML and text come back from the runtime as the JSON string of
// encodeURIComponent(...): quoted, and percent-encoded as UTF-8. This turns
// such a result into the text itself.

#include <string>
#include <string_view>

namespace velmoran::webview {

// Decodes %XX escapes as UTF-8 bytes (an escape that is not two hexadecimal
// digits stays as it is; bytes that are not UTF-8 become U+FFFD).
std::u16string UrlDecode(std::u16string_view aText);

// UrlDecode, then one pair of surrounding double quotes removed.
std::u16string DecodeRetrievedText(std::u16string_view aResultObjectAsJson);

}  // namespace velmoran::webview
