#pragma once

// The page bridge's one error: raised with a text by any step of decoding or
// storing a message, caught in one place (ParsePageMessage), which logs the
// text after "Exception JSON parsing: ".

#include <exception>
#include <string>
#include <utility>

namespace velmoran::bridge {

class BridgeError : public std::exception {
 public:
  explicit BridgeError(std::u16string text) : text_(std::move(text)) {}
  const std::u16string& text() const noexcept { return text_; }
  const char* what() const noexcept override { return "page bridge error"; }

 private:
  std::u16string text_;
};

}  // namespace velmoran::bridge
