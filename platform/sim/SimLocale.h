#pragma once

#include <memory>

#include "platform/Locale.h"

namespace velmoran::platform::sim {

// A Korean Windows by default (code page 949, ":" as time separator); tests
// switch to 1252 for a Western system. Conversions use glibc's iconv with the
// code page's name ("CP949", "CP1252", "CP<n>"; 65001 is UTF-8); a code page
// iconv does not know converts to nothing, as WideCharToMultiByte fails for it.
// Known to differ from Windows: a character the code page lacks gets glibc's
// transliteration where Windows has its own best-fit tables. Korean, ASCII,
// the code pages' own characters and the default character agree; about one
// in six of the Latin, Greek, Cyrillic and symbol characters outside 949
// (Windows keeps "?" for "ā", the sim writes "a"; Windows maps "¢" into the
// code page, the sim writes "c") and one in sixteen outside 1252 come out
// otherwise. FormatMessageW knows the English system texts of the codes this
// system meets; a Korean Windows answers in Korean.
class SimLocale final : public Locale {
 public:
  SimLocale();
  ~SimLocale() override;
  SimLocale(const SimLocale&) = delete;
  SimLocale& operator=(const SimLocale&) = delete;

  std::uint32_t GetACP() override { return codePage_; }
  std::string WideCharToMultiByte(std::uint32_t codePage, std::u16string_view text) override;
  std::u16string TimeSeparator() override { return timeSeparator_; }
  std::u16string FormatMessageW(std::uint32_t errorCode) override;

  void SetCodePage(std::uint32_t codePage) { codePage_ = codePage; }
  void SetTimeSeparator(std::u16string separator) { timeSeparator_ = std::move(separator); }

 private:
  struct Converters;
  std::unique_ptr<Converters> converters_;  // iconv descriptors by code page, opened once
  std::uint32_t codePage_ = 949;
  std::u16string timeSeparator_ = u":";
};

}  // namespace velmoran::platform::sim
