#include "codec/Json.h"

#include "codec/JsonParser.h"

namespace velmoran::codec {

const JsonValue* JsonValue::Find(std::u16string_view key) const {
  for (const auto& member : members_) {
    if (member.first == key) return &member.second;
  }
  return nullptr;
}

std::optional<JsonValue> ParseJson(std::u16string_view text, JsonTexts texts) {
  return JsonParser<char16_t>(text.data(), text.size(), texts).Parse();
}

std::optional<JsonValue> ParseJsonKeeping(std::u16string_view text, JsonKeptMembers keep, JsonTexts texts) {
  JsonParser<char16_t> parser(text.data(), text.size(), texts);
  parser.KeepOnly(keep);
  return parser.Parse();
}

std::optional<JsonValue> ParseUtf8Json(std::string_view text) {
  return JsonParser<unsigned char>(reinterpret_cast<const unsigned char*>(text.data()), text.size()).Parse();
}

}  // namespace velmoran::codec
