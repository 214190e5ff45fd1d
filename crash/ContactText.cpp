#include "crash/ContactText.h"

#include <string_view>

#include "base/Text.h"

namespace velmoran::crash {
namespace {

// Line ends as Notepad writes them, whatever a field holds: a multi-line edit
// gives "\r\n" already, a pasted text may bring a bare "\n" or "\r".
void AppendWithCrLf(std::u16string_view text, std::u16string& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      out += u"\r\n";
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out.push_back(c);
    }
  }
}

}  // namespace

std::string ContactText(const Contact& contact) {
  std::u16string text = u"이름: ";
  AppendWithCrLf(contact.name, text);
  text += u"\r\n이메일: ";
  AppendWithCrLf(contact.email, text);
  text += u"\r\n무엇을 하고 있었는지:\r\n";
  AppendWithCrLf(contact.doing, text);
  text += u"\r\n";
  return Utf16ToUtf8(text);
}

}  // namespace velmoran::crash
