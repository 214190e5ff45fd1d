#include "webview/abi/ComTypes.h"

#include <cstdint>

namespace velmoran::webview {

namespace {

void AppendHex(std::u16string& out, std::uint32_t value, int digits) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xFu];
}

}  // namespace

std::u16string GuidToRegistryText(const GUID& id) {
  std::u16string text;
  text.reserve(38);
  text += u'{';
  AppendHex(text, static_cast<std::uint32_t>(id.Data1), 8);
  text += u'-';
  AppendHex(text, id.Data2, 4);
  text += u'-';
  AppendHex(text, id.Data3, 4);
  text += u'-';
  for (int i = 0; i < 8; ++i) {
    if (i == 2) text += u'-';
    AppendHex(text, id.Data4[i], 2);
  }
  text += u'}';
  return text;
}

}  // namespace velmoran::webview
