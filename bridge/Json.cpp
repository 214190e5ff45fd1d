#include "bridge/Json.h"

namespace velmoran::bridge {

const JsonValue* JsonValue::Find(std::u16string_view key) const {
  for (const auto& member : members_) {
    if (member.first == key) return &member.second;
  }
  return nullptr;
}

// TODO(codec): the decoder.
std::optional<JsonValue> ParseJson(std::u16string_view) { return std::nullopt; }

}  // namespace velmoran::bridge
