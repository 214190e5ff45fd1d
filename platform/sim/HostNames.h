#pragma once

// Windows names on the host's file system. NTFS keeps a name as the UTF-16
// code units it was given, unpaired surrogates included, so "\xD800.png",
// "\xD801.png" and "\xFFFD.png" are three files. Host names are bytes: each
// Windows name is written as generalized UTF-8 (WTF-8), which spells an
// unpaired surrogate as its own three bytes (ED A0..BF xx) that no valid
// UTF-8 text contains. The mapping is reversible and two different names
// never share a host name.

#include <string>
#include <string_view>

#include "base/Text.h"

namespace velmoran::platform::sim {

namespace host_names_detail {

inline constexpr char16_t kReplacement = 0xFFFD;

inline bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace host_names_detail

// Appends the host spelling of one Windows name.
inline void AppendHostName(std::u16string_view windowsName, std::string& hostName) {
  using namespace host_names_detail;
  for (std::size_t i = 0; i < windowsName.size(); ++i) {
    const char16_t unit = windowsName[i];
    if (IsHighSurrogate(unit) && i + 1 < windowsName.size() && IsLowSurrogate(windowsName[i + 1])) {
      AppendCodePointUtf8(
          0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{windowsName[i + 1]} - 0xDC00), hostName);
      ++i;
    } else {
      AppendCodePointUtf8(unit, hostName);
    }
  }
}

// The Windows name a host name stands for; bytes that are no UTF-8 at all
// (a file made outside the simulation) read as U+FFFD.
inline std::u16string WindowsNameOf(std::string_view hostName) {
  using host_names_detail::kReplacement;
  std::u16string name;
  name.reserve(hostName.size());
  std::size_t i = 0;
  while (i < hostName.size()) {
    const auto lead = static_cast<unsigned char>(hostName[i]);
    int extra = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if (lead < 0x80) {
      name.push_back(lead);
      ++i;
      continue;
    }
    if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1F;
      least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0F;
      least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07;
      least = 0x10000;
    } else {
      name.push_back(kReplacement);
      ++i;
      continue;
    }
    std::size_t next = i + 1;
    for (int k = 0; k < extra && next < hostName.size(); ++k, ++next) {
      const auto byte = static_cast<unsigned char>(hostName[next]);
      if ((byte & 0xC0) != 0x80) break;
      cp = (cp << 6) | (byte & 0x3F);
    }
    if (next - i != static_cast<std::size_t>(extra) + 1 || cp < least || cp > 0x10FFFF) {
      name.push_back(kReplacement);
      i = next;
      continue;
    }
    if (cp >= 0x10000) {
      name.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      name.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      name.push_back(static_cast<char16_t>(cp));  // surrogates come back as the units they were
    }
    i = next;
  }
  return name;
}

}  // namespace velmoran::platform::sim
