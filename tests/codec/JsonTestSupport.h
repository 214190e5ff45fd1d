#pragma once

// What the JSON decoder's tests compare values and read suite files with.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

#include "codec/Json.h"

namespace velmoran::test {

// The same tree, whether its texts were copied or borrowed.
inline bool SameValue(const codec::JsonValue& a, const codec::JsonValue& b) {
  if (a.kind() != b.kind() || a.view() != b.view() || a.items().size() != b.items().size() ||
      a.members().size() != b.members().size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.items().size(); ++i) {
    if (!SameValue(a.items()[i], b.items()[i])) return false;
  }
  for (std::size_t i = 0; i < a.members().size(); ++i) {
    if (a.members()[i].first != b.members()[i].first ||
        !SameValue(a.members()[i].second, b.members()[i].second))
      return false;
  }
  return true;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::string bytes(static_cast<std::size_t>(std::filesystem::file_size(path)), '\0');
  std::ifstream in(path, std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

}  // namespace velmoran::test
