#pragma once

// The order of two browser version texts, as a runtime's CompareBrowserVersions
// export answers it. Shared by the runtimes of the project's own; the shell's
// loader has its own reading of versions on its side of the boundary.

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmoran::runtime {

// Four whole numbers separated by "."; anything after the fourth (a channel
// name) is ignored.
inline bool ParseBrowserVersion(std::u16string_view text, std::uint64_t (&parts)[4]) {
  std::size_t at = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (at >= text.size() || text[at] != u'.') return false;
      ++at;
    }
    const std::size_t start = at;
    std::uint64_t value = 0;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9' && at - start < 10) {
      value = value * 10 + static_cast<std::uint64_t>(text[at] - u'0');
      ++at;
    }
    if (at == start) return false;
    parts[part] = value;
  }
  return true;
}

// -1, 0 or 1 as `first` comes before, with or after `second`; none when
// either is not a version text.
inline std::optional<int> CompareBrowserVersionTexts(std::u16string_view first, std::u16string_view second) {
  std::uint64_t a[4] = {};
  std::uint64_t b[4] = {};
  if (!ParseBrowserVersion(first, a) || !ParseBrowserVersion(second, b)) return std::nullopt;
  for (int i = 0; i < 4; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

}  // namespace velmoran::runtime
