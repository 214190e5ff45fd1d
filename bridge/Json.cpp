#include "bridge/Json.h"

#include "bridge/JsonParser.h"

namespace velmoran::bridge {

const JsonValue* JsonValue::Find(std::u16string_view key) const {
  for (const auto& member : members_) {
    if (member.first == key) return &member.second;
  }
  return nullptr;
}

std::optional<JsonValue> ParseJson(std::u16string_view text, JsonTexts texts) {
  return JsonParser(text, texts).Parse();
}

std::optional<JsonValue> ParseJson(std::u16string_view text, JsonTexts texts, JsonEscapedSpecials& specials) {
  JsonParser parser(text, texts);
  parser.RecordSpecials(specials);
  return parser.Parse();
}

std::optional<JsonValue> ParseJsonInString(std::u16string_view content, const JsonEscapedSpecials& specials,
                                           JsonTexts texts) {
  JsonParser parser(content, texts);
  parser.UseKnownSpecials(specials);
  return parser.Parse();
}

}  // namespace velmoran::bridge
