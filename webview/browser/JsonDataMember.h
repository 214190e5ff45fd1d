#pragma once

// The DevTools methods answer with a JSON object; the composite operations
// want its "data" member, a string (the page's MHTML snapshot, for one).

#include <string>
#include <string_view>

namespace velmoran::webview {

// The text of the top-level "data" member when it is a string, escapes
// resolved; empty when the text is not a JSON object, has no such member, or
// the member is not a string. A member named twice counts at its first.
std::u16string JsonDataMember(std::u16string_view aJson);

}  // namespace velmoran::webview
