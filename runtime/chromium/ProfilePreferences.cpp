#include "runtime/chromium/ProfilePreferences.h"

#include <utility>

#include "codec/Json.h"
#include "runtime/chromium/JsonWriter.h"

namespace velmoran::runtime::chromium {

namespace {

using codec::JsonKind;
using codec::JsonValue;

// The first member named `key`, made an object when it is missing or is something else.
JsonValue& ObjectMember(JsonValue& object, std::u16string_view key) {
  for (JsonValue::Member& member : object.members()) {
    if (member.first != key) continue;
    if (!member.second.IsObject()) member.second = JsonValue(JsonKind::Object);
    return member.second;
  }
  object.members().emplace_back(std::u16string(key), JsonValue(JsonKind::Object));
  return object.members().back().second;
}

// Sets `key` to false; whether it was anything else before.
bool SetFalse(JsonValue& object, std::u16string_view key) {
  for (JsonValue::Member& member : object.members()) {
    if (member.first != key) continue;
    if (member.second.kind() == JsonKind::False) return false;
    member.second = JsonValue(JsonKind::False);
    return true;
  }
  object.members().emplace_back(std::u16string(key), JsonValue(JsonKind::False));
  return true;
}

}  // namespace

std::optional<std::string> PreferencesForEmbedding(std::string_view existing) {
  std::optional<JsonValue> preferences = codec::ParseUtf8Json(existing);
  if (!preferences || !preferences->IsObject()) preferences = JsonValue(JsonKind::Object);
  if (!SetFalse(ObjectMember(*preferences, u"translate"), u"enabled")) return std::nullopt;
  JsonWriter json;
  json.Value(*preferences);
  return json.Take();
}

}  // namespace velmoran::runtime::chromium
