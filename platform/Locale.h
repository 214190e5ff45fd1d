#pragma once

// Code pages, conversions and system texts, as the user's Windows has them.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmoran::platform {

class Locale {
 public:
  virtual ~Locale() = default;

  // The system's ANSI code page (949 on a Korean system, 1252 on a Western one).
  virtual std::uint32_t GetACP() = 0;

  // WideCharToMultiByte with no flags and no explicit default character:
  // characters the code page lacks become a best-fit character where the code
  // page defines one, otherwise its default character.
  virtual std::string WideCharToMultiByte(std::uint32_t codePage, std::u16string_view text) = 0;

  // The user locale's time separator (":" under the usual settings).
  virtual std::u16string TimeSeparator() = 0;

  // FormatMessageW(FROM_SYSTEM | IGNORE_INSERTS, language 0) for a system error
  // code, exactly as the system gives it (usually ending in ".\r\n"); empty
  // when the system has no text for the code.
  virtual std::u16string FormatMessageW(std::uint32_t errorCode) = 0;
};

}  // namespace velmoran::platform
