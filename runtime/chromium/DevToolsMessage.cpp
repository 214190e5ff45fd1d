#include "runtime/chromium/DevToolsMessage.h"

#include <charconv>
#include <utility>

#include "base/Text.h"
#include "codec/Json.h"
#include "runtime/chromium/JsonWriter.h"

namespace velmoran::runtime::chromium {

using codec::JsonKind;
using codec::JsonValue;

std::string BuildCommand(std::int64_t id, std::string_view method, std::string_view sessionId,
                         std::string_view paramsJson) {
  JsonWriter json;
  json.BeginObject().Key("id").Number(id).Key("method").String(method);
  if (!sessionId.empty()) json.Key("sessionId").String(sessionId);
  if (!paramsJson.empty()) json.Key("params").Raw(paramsJson);
  json.EndObject();
  return json.Take();
}

std::u16string_view TextMember(const JsonValue& object, std::u16string_view key) {
  const JsonValue* member = object.Find(key);
  return member != nullptr && member->IsString() ? member->view() : std::u16string_view();
}

std::int64_t IntegerMember(const JsonValue& object, std::u16string_view key) {
  const JsonValue* member = object.Find(key);
  if (member == nullptr || !member->IsNumber()) return 0;
  const std::string digits = Utf16ToUtf8(member->view());
  double value = 0;
  // Protocol numbers may be written with a fraction or an exponent.
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return 0;
  return static_cast<std::int64_t>(value);
}

bool BoolMember(const JsonValue& object, std::u16string_view key) {
  const JsonValue* member = object.Find(key);
  return member != nullptr && member->kind() == JsonKind::True;
}

const JsonValue* ObjectMember(const JsonValue& object, std::u16string_view key) {
  const JsonValue* member = object.Find(key);
  return member != nullptr && member->IsObject() ? member : nullptr;
}

std::optional<std::u16string> TakeTextMember(JsonValue& object, std::u16string_view key) {
  for (auto& [name, value] : object.members()) {
    if (name != key) continue;
    if (!value.IsString()) return std::nullopt;
    // Parsed messages own their texts; a borrowed one is copied.
    if (value.borrows()) return std::u16string(value.view());
    std::u16string taken = std::move(value.text());
    value.text().clear();
    return taken;
  }
  return std::nullopt;
}

std::optional<DevToolsMessage> ParseDevToolsMessage(std::string_view utf8) {
  std::optional<JsonValue> parsed = codec::ParseUtf8Json(utf8);
  if (!parsed || !parsed->IsObject()) return std::nullopt;
  DevToolsMessage message;
  message.sessionId = std::u16string(TextMember(*parsed, u"sessionId"));
  JsonValue* body = nullptr;
  auto takeMember = [&](std::u16string_view key) -> JsonValue* {
    for (auto& [name, value] : parsed->members()) {
      if (name == key) return &value;
    }
    return nullptr;
  };
  if (const JsonValue* id = parsed->Find(u"id"); id != nullptr && id->IsNumber()) {
    message.kind = DevToolsMessage::Kind::kResponse;
    message.id = IntegerMember(*parsed, u"id");
    if (const JsonValue* error = ObjectMember(*parsed, u"error")) {
      message.error = std::u16string(TextMember(*error, u"message"));
    }
    body = takeMember(u"result");
  } else if (const JsonValue* method = parsed->Find(u"method"); method != nullptr && method->IsString()) {
    message.kind = DevToolsMessage::Kind::kEvent;
    message.method = std::u16string(method->view());
    body = takeMember(u"params");
  } else {
    return std::nullopt;
  }
  // Moved, not copied: an event's params can hold a page's megabytes.
  message.body = body != nullptr && body->IsObject() ? std::move(*body) : JsonValue(JsonKind::Object);
  return message;
}

}  // namespace velmoran::runtime::chromium
