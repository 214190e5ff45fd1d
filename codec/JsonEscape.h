#pragma once

// The one reader of a JSON string's escapes, shared by the decoders whatever
// their escaped units come from: a text read directly, or the units that a
// string literal's body stands for (a message holding JSON inside a string).

namespace velmoran::codec {

// The value of a hexadecimal digit, or -1.
constexpr int JsonHexDigitValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes one escape after its backslash. `next` yields the following units
// one by one as int, or a negative value where there are no more. Answers the
// UTF-16 code unit the escape stands for, or -1 for a malformed escape. A
// \uXXXX stays one code unit: escaped pairs join by themselves and a lone
// surrogate stays what was sent.
template <typename NextUnit>
constexpr int DecodeJsonEscape(NextUnit&& next) {
  switch (const int letter = next()) {
    case '"':
    case '\\':
    case '/':
      return letter;
    case 'b':
      return '\b';
    case 'f':
      return '\f';
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case 'u': {
      int value = 0;
      for (int i = 0; i < 4; ++i) {
        const int digit = JsonHexDigitValue(next());
        if (digit < 0) return -1;
        value = value * 16 + digit;
      }
      return value;
    }
    default:
      return -1;
  }
}

}  // namespace velmoran::codec
