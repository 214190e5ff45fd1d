#include "runtime/double/RuntimeTranscript.h"

#include <cstdint>

#include "base/Text.h"

namespace velmoran::runtime::doubles {
namespace {

void AppendField(std::u16string_view text, std::string& line) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::size_t plain = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= u' ') continue;
    AppendUtf16AsUtf8(text.substr(plain, i - plain), line);
    line += "\\u00";
    line += kHex[(c >> 4) & 0xF];
    line += kHex[c & 0xF];
    plain = i + 1;
  }
  AppendUtf16AsUtf8(text.substr(plain), line);
}

}  // namespace

RuntimeTranscript::RuntimeTranscript(platform::Files& files, std::u16string_view path) : files_(files) {
  if (path.empty()) return;
  file_ = files_.CreateFileW(path, platform::kGenericWrite,
                             platform::kFileShareRead | platform::kFileShareWrite, platform::kCreateAlways);
}

RuntimeTranscript::~RuntimeTranscript() { Close(); }

void RuntimeTranscript::Write(std::string_view event, std::initializer_list<std::u16string_view> fields) {
  if (!IsOpen()) return;
  std::string line(event);
  for (std::u16string_view field : fields) {
    line += '\t';
    AppendField(field, line);
  }
  line += '\n';
  // One WriteFile per line and no buffer of our own: the system has the line
  // as soon as this returns, whatever happens to the process afterwards.
  std::uint32_t written = 0;
  files_.WriteFile(file_, line.data(), static_cast<std::uint32_t>(line.size()), written);
}

void RuntimeTranscript::Close() {
  if (!IsOpen()) return;
  files_.CloseHandle(file_);
  file_ = platform::kInvalidHandle;
}

}  // namespace velmoran::runtime::doubles
