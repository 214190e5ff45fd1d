#include "webview/loader/TrimText.h"

namespace velmoran::webview {

std::u16string_view TrimSpacesAndControls(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return text.substr(begin, end - begin);
}

}  // namespace velmoran::webview
