#include "bridge/JsonFields.h"

#include <optional>
#include <utility>

#include "bridge/BridgeError.h"
#include "bridge/IntegerText.h"

namespace velmoran::bridge {
namespace {

using codec::JsonKind;
using codec::JsonValue;

const JsonValue& Member(const JsonValue& object, std::u16string_view key) {
  const JsonValue* value = object.Find(key);
  if (value == nullptr) throw BridgeError(u"Value '" + std::u16string(key) + u"' not found");
  return *value;
}

[[noreturn]] void KindError(const JsonValue& value, std::u16string_view target) {
  std::u16string_view kind = u"TJSONNull";
  if (value.IsObject()) kind = u"TJSONObject";
  if (value.IsArray()) kind = u"TJSONArray";
  throw BridgeError(u"Conversion from " + std::u16string(kind) + u" to " + std::u16string(target) +
                    u" is not supported");
}

}  // namespace

std::u16string_view JsonGetText(const JsonValue& object, std::u16string_view key) {
  const JsonValue& value = Member(object, key);
  switch (value.kind()) {
    case JsonKind::String:
    case JsonKind::Number:
      return value.view();
    case JsonKind::True:
      return u"true";
    case JsonKind::False:
      return u"false";
    case JsonKind::Null:
      return {};
    case JsonKind::Object:
    case JsonKind::Array:
      break;
  }
  KindError(value, u"string");
}

std::u16string JsonGetString(const JsonValue& object, std::u16string_view key) {
  return std::u16string(JsonGetText(object, key));
}

std::int32_t JsonGetInt(const JsonValue& object, std::u16string_view key) {
  const JsonValue& value = Member(object, key);
  switch (value.kind()) {
    case JsonKind::String:
    case JsonKind::Number: {
      const std::optional<std::int32_t> number = ParseIntegerText(value.view());
      if (!number) throw BridgeError(u"'" + std::u16string(value.view()) + u"' is not a valid integer value");
      return *number;
    }
    case JsonKind::True:
      return 1;
    case JsonKind::False:
      return 0;
    case JsonKind::Null:
    case JsonKind::Object:
    case JsonKind::Array:
      break;
  }
  KindError(value, u"Integer");
}

std::u16string JsonTakeString(JsonValue& object, std::u16string_view key) {
  for (auto& [name, value] : object.members()) {
    if (name != key) continue;
    if ((value.IsString() || value.IsNumber()) && !value.borrows()) return std::move(value.text());
    break;
  }
  return JsonGetString(object, key);
}

}  // namespace velmoran::bridge
