#pragma once

// The name of a sink's callback ("WebMessageReceived"), carried as a template
// argument so that each sink type knows it without storing it, and the target
// can say which handler threw.

#include <cstddef>
#include <string_view>

namespace velmoran::webview {

template <std::size_t Size>
struct SinkName {
  // NOLINTNEXTLINE(google-explicit-constructor): written as a literal in the sink list
  constexpr SinkName(const char16_t (&literal)[Size]) {
    for (std::size_t i = 0; i < Size; ++i) text[i] = literal[i];
  }
  constexpr std::u16string_view View() const { return {text, Size - 1}; }

  // Public, as a type used as a template argument must keep its fields.
  char16_t text[Size]{};
};

}  // namespace velmoran::webview
