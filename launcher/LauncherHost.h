#pragma once

// What the web server launcher needs of the main window.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmoran::launcher {

class LauncherHost {
 public:
  virtual void logw(std::u16string_view str) = 0;
  // The pumped wait: queued messages are handled while it lasts.
  virtual void SleepWithPeekMessage(std::int32_t Milliseconds) = 0;
  // WVBrowser1's DefaultURL, a plain store.
  virtual void SetDefaultURL(std::u16string url) = 0;
  // The caption of the shell's own message boxes.
  virtual std::u16string ApplicationTitle() const = 0;

 protected:
  ~LauncherHost() = default;
};

}  // namespace velmoran::launcher
