#include "tests/wine/Transcript.h"

#include <algorithm>

#include "tests/wine/WineText.h"

namespace velmoran::test {

Transcript Transcript::Read(const std::wstring& path) {
  Transcript transcript;
  transcript.text_ = ReadWholeFile(path);
  std::string_view rest = transcript.text_;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    // A line still being written has no LF yet: it is not a record so far.
    if (end == std::string_view::npos) break;
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    TranscriptLine record;
    std::size_t tab = line.find('\t');
    record.event = std::string(line.substr(0, tab));
    while (tab != std::string_view::npos) {
      line.remove_prefix(tab + 1);
      tab = line.find('\t');
      record.fields.emplace_back(line.substr(0, tab));
    }
    transcript.lines_.push_back(std::move(record));
  }
  return transcript;
}

std::vector<std::string> Transcript::Values(std::string_view event) const {
  std::vector<std::string> values;
  for (const TranscriptLine& line : lines_) {
    if (line.event != event) continue;
    std::string value;
    for (std::size_t i = 0; i < line.fields.size(); ++i) {
      if (i != 0) value.push_back('\t');
      value += line.fields[i];
    }
    values.push_back(std::move(value));
  }
  return values;
}

bool Transcript::Has(std::string_view event, std::string_view value) const {
  const std::vector<std::string> values = Values(event);
  return std::find(values.begin(), values.end(), value) != values.end();
}

}  // namespace velmoran::test
