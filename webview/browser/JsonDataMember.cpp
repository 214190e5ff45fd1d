#include "webview/browser/JsonDataMember.h"

#include <optional>

#include "codec/Json.h"

namespace velmoran::webview {

std::u16string JsonDataMember(std::u16string_view aJson) {
  const std::optional<codec::JsonValue> answer = codec::ParseJson(aJson);
  if (!answer || !answer->IsObject()) return {};
  const codec::JsonValue* data = answer->Find(u"data");
  if (data == nullptr || !data->IsString()) return {};
  return data->text();
}

}  // namespace velmoran::webview
