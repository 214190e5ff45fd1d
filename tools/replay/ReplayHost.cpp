#include "tools/replay/ReplayHost.h"

#include <chrono>
#include <ctime>

#include "base/Text.h"

namespace velmoran::tools {
namespace {

// The host's local wall-clock time, so the log file carries real timestamps.
platform::SystemTime LocalNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  const std::tm local = *std::localtime(&seconds);  // one thread only
  platform::SystemTime time;
  time.year = static_cast<std::uint16_t>(local.tm_year + 1900);
  time.month = static_cast<std::uint16_t>(local.tm_mon + 1);
  time.dayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
  time.day = static_cast<std::uint16_t>(local.tm_mday);
  time.hour = static_cast<std::uint16_t>(local.tm_hour);
  time.minute = static_cast<std::uint16_t>(local.tm_min);
  time.second = static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
  time.milliseconds = static_cast<std::uint16_t>(milliseconds);
  return time;
}

}  // namespace

std::string EscapeForLine(std::u16string_view text) {
  std::string utf8 = Utf16ToUtf8(text);
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

ReplayHost::ReplayHost(platform::sim::SimPlatform& platform, std::FILE* out)
    : platform_(platform), out_(out), log_(platform, view_) {}

void ReplayHost::logw(std::u16string_view text) {
  platform_.clock().SetLocalTime(LocalNow());
  log_.logw(text);
  Print("log", text);
}

void ReplayHost::ExecuteScript(std::u16string_view script) {
  ++pendingReplies_;
  Print("script", script);
}

void ReplayHost::ToggleFullScreen() { std::fputs("fullscreen\n", out_); }

std::size_t ReplayHost::TakePendingReplies() {
  const std::size_t count = pendingReplies_;
  pendingReplies_ = 0;
  return count;
}

void ReplayHost::Print(std::string_view kind, std::u16string_view text) {
  const std::string line = std::string(kind) + " " + EscapeForLine(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), out_);
}

}  // namespace velmoran::tools
