#pragma once

// The runtime double's transcript as the test reads it: one record per line,
// an event word and its fields separated by TAB.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmoran::test {

struct TranscriptLine {
  std::string event;
  std::vector<std::string> fields;
};

class Transcript {
 public:
  static Transcript Read(const std::wstring& path);

  const std::vector<TranscriptLine>& Lines() const { return lines_; }
  // The fields of every line of `event`, in order; one field each joined by TAB.
  std::vector<std::string> Values(std::string_view event) const;
  bool Has(std::string_view event, std::string_view value) const;
  std::size_t Count(std::string_view event) const { return Values(event).size(); }
  // The whole transcript as it was written, for failure messages.
  const std::string& Text() const { return text_; }

 private:
  std::vector<TranscriptLine> lines_;
  std::string text_;
};

}  // namespace velmoran::test
