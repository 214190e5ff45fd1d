#include "runtime/chromium/JsonWriter.h"

#include "base/Text.h"

namespace velmoran::runtime::chromium {

namespace {

void AppendEscaped(std::string& out, std::string_view utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.reserve(out.size() + utf8.size() + 2);
  out += '"';
  std::size_t plainFrom = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    out.append(utf8, plainFrom, i - plainFrom);
    plainFrom = i + 1;
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      default:
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
  }
  out.append(utf8, plainFrom, utf8.size() - plainFrom);
  out += '"';
}

}  // namespace

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasValue_.empty()) {
    if (hasValue_.back()) text_ += ',';
    hasValue_.back() = true;
  }
}

JsonWriter& JsonWriter::BeginObject() {
  BeforeValue();
  text_ += '{';
  hasValue_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  text_ += '}';
  hasValue_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  BeforeValue();
  text_ += '[';
  hasValue_.push_back(false);
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  text_ += ']';
  hasValue_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
  BeforeValue();
  AppendEscaped(text_, name);
  text_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  AppendEscaped(text_, utf8);
  return *this;
}

JsonWriter& JsonWriter::String(std::u16string_view utf16) { return String(Utf16ToUtf8(utf16)); }

JsonWriter& JsonWriter::Number(std::int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
  return *this;
}

JsonWriter& JsonWriter::Raw(std::string_view json) {
  BeforeValue();
  text_ += json;
  return *this;
}

JsonWriter& JsonWriter::Value(const codec::JsonValue& value) {
  switch (value.kind()) {
    case codec::JsonKind::Null:
      return Null();
    case codec::JsonKind::False:
      return Bool(false);
    case codec::JsonKind::True:
      return Bool(true);
    case codec::JsonKind::Number:
      return Raw(Utf16ToUtf8(value.view()));
    case codec::JsonKind::String:
      return String(value.view());
    case codec::JsonKind::Array:
      BeginArray();
      for (const codec::JsonValue& item : value.items()) Value(item);
      return EndArray();
    case codec::JsonKind::Object:
      BeginObject();
      for (const auto& [name, member] : value.members()) {
        Key(Utf16ToUtf8(name));
        Value(member);
      }
      return EndObject();
  }
  return *this;
}

std::string JsonQuoted(std::string_view utf8) {
  std::string out;
  AppendEscaped(out, utf8);
  return out;
}

std::string JsonQuoted(std::u16string_view utf16) { return JsonQuoted(Utf16ToUtf8(utf16)); }

}  // namespace velmoran::runtime::chromium
