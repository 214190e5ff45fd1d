#pragma once

// Writes one JSON text in UTF-8, the form the DevTools protocol travels in.
// Commas and nesting are kept by the writer, so a caller only says what
// comes next:
//
//   JsonWriter json;
//   json.BeginObject().Key("id").Number(7).Key("method").String("Page.enable").EndObject();
//   std::string text = json.Take();   // {"id":7,"method":"Page.enable"}

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codec/Json.h"

namespace velmoran::runtime::chromium {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view name);
  // UTF-8 text, written with the escapes JSON requires.
  JsonWriter& String(std::string_view utf8);
  // UTF-16 text; an unpaired surrogate becomes U+FFFD.
  JsonWriter& String(std::u16string_view utf16);
  JsonWriter& Number(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();
  // A JSON text already made (a nested object, a value the page sent).
  JsonWriter& Raw(std::string_view json);
  // A decoded value written back as JSON (numbers as they were written).
  JsonWriter& Value(const codec::JsonValue& value);

  const std::string& Text() const { return text_; }
  std::string Take() { return std::move(text_); }

 private:
  void BeforeValue();

  std::string text_;
  // One entry per open object or array: whether a value has been written in it.
  std::vector<bool> hasValue_;
  bool afterKey_ = false;
};

// `text` as a JSON string literal, quotes included.
std::string JsonQuoted(std::string_view utf8);
std::string JsonQuoted(std::u16string_view utf16);

}  // namespace velmoran::runtime::chromium
