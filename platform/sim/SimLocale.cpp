#include "platform/sim/SimLocale.h"

#include <iconv.h>
#include <locale.h>

#include <bit>
#include <cerrno>
#include <string>
#include <unordered_map>

#include "base/Text.h"

namespace velmoran::platform::sim {
namespace {

constexpr std::uint32_t kCodePageAnsi = 0;  // CP_ACP
constexpr std::uint32_t kCodePageUtf8 = 65001;
constexpr char kDefaultCharacter = '?';
const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
constexpr const char* kHostUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Runs `in` through `descriptor`, appending to `out`; stops at the first
// character the code page lacks. Returns the number of UTF-16 units consumed.
std::size_t ConvertUntilUnmappable(iconv_t descriptor, std::u16string_view in, std::string& out) {
  char* input = const_cast<char*>(reinterpret_cast<const char*>(in.data()));
  std::size_t inputLeft = in.size() * sizeof(char16_t);
  while (inputLeft > 0) {
    const std::size_t start = out.size();
    std::size_t outputLeft = inputLeft * 2 + 16;  // four bytes per unit covers every code page
    out.resize(start + outputLeft);
    char* output = out.data() + start;
    const std::size_t result = ::iconv(descriptor, &input, &inputLeft, &output, &outputLeft);
    out.resize(out.size() - outputLeft);
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno != E2BIG) break;  // EILSEQ or EINVAL: the character at `input` has no place here
  }
  ::iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  return in.size() - inputLeft / sizeof(char16_t);
}

// Where the run of ASCII characters starting at `i` ends; tests eight units at
// a time so that megabyte lines of base64 cost little more than a copy.
std::size_t AsciiRunEnd(std::u16string_view text, std::size_t i) {
  const char16_t* units = text.data();
  const std::size_t size = text.size();
  while (i + 8 <= size) {
    unsigned bits = 0;
    for (std::size_t k = 0; k < 8; ++k) bits |= units[i + k];
    if (bits >= 0x80) break;
    i += 8;
  }
  while (i < size && units[i] < 0x80) ++i;
  return i;
}

void Narrow(const char16_t* __restrict from, std::size_t count, char* __restrict to) {
  for (std::size_t k = 0; k < count; ++k) to[k] = static_cast<char>(from[k]);
}

struct CodePageConverter {
  iconv_t exact = kNoDescriptor;
  iconv_t bestFit = kNoDescriptor;  // //TRANSLIT: a near character where one exists
  bool asciiCompatible = false;

  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;
  explicit CodePageConverter(const std::string& name) {
    exact = ::iconv_open(name.c_str(), kHostUtf16);
    bestFit = ::iconv_open((name + "//TRANSLIT").c_str(), kHostUtf16);
    if (!Usable()) return;
    std::u16string ascii;
    std::string expected;
    for (char16_t c = 1; c < 0x80; ++c) {
      ascii.push_back(c);
      expected.push_back(static_cast<char>(c));
    }
    std::string converted;
    asciiCompatible =
        ConvertUntilUnmappable(exact, ascii, converted) == ascii.size() && converted == expected;
  }
  ~CodePageConverter() {
    if (exact != kNoDescriptor) ::iconv_close(exact);
    if (bestFit != kNoDescriptor) ::iconv_close(bestFit);
  }
  bool Usable() const { return exact != kNoDescriptor && bestFit != kNoDescriptor; }

  // One character the code page lacks: its best fit when that is a single
  // character of the code page, else the default character. glibc takes its
  // transliterations from the thread's locale, and the plain "C" locale has
  // almost none, so they are looked up under `translitLocale`.
  void AppendBestFit(std::u16string_view character, locale_t translitLocale, std::string& out) const {
    std::string fit;
    const locale_t previous = translitLocale != nullptr ? ::uselocale(translitLocale) : nullptr;
    const std::size_t converted = ConvertUntilUnmappable(bestFit, character, fit);
    if (previous != nullptr) ::uselocale(previous);
    if (converted == character.size() && fit.size() == 1 && fit[0] != kDefaultCharacter) {
      out += fit;
    } else {
      out.push_back(kDefaultCharacter);
    }
  }

  std::string Convert(std::u16string_view text, locale_t translitLocale) const {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
      if (asciiCompatible && text[i] < 0x80) {
        // ASCII runs (long base64 lines) are narrowed in bulk, never through iconv.
        const std::size_t end = AsciiRunEnd(text, i);
        const std::size_t start = out.size();
        out.resize(start + (end - i));
        Narrow(text.data() + i, end - i, out.data() + start);
        i = end;
        continue;
      }
      std::size_t end = i;
      while (end < text.size() && !(asciiCompatible && text[end] < 0x80)) ++end;
      const std::u16string_view run = text.substr(i, end - i);
      std::size_t done = 0;
      while (done < run.size()) {
        done += ConvertUntilUnmappable(exact, run.substr(done), out);
        if (done == run.size()) break;
        // The code pages' best fits are for single UTF-16 units: each unit of
        // a character outside the BMP becomes a default character.
        if (IsHighSurrogate(run[done]) && done + 1 < run.size() && IsLowSurrogate(run[done + 1])) {
          out.append(2, kDefaultCharacter);
          done += 2;
          continue;
        }
        AppendBestFit(run.substr(done, 1), translitLocale, out);
        ++done;
      }
      i = end;
    }
    return out;
  }
};

// The English system texts, as FormatMessageW gives them with inserts ignored.
constexpr struct {
  std::uint32_t code;
  const char16_t* text;
} kSystemMessages[] = {
    {0, u"The operation completed successfully.\r\n"},
    {2, u"The system cannot find the file specified.\r\n"},
    {3, u"The system cannot find the path specified.\r\n"},
    {4, u"The system cannot open the file.\r\n"},
    {5, u"Access is denied.\r\n"},
    {6, u"The handle is invalid.\r\n"},
    {32, u"The process cannot access the file because it is being used by another process.\r\n"},
    {39, u"The disk is full.\r\n"},
    {53, u"The network path was not found.\r\n"},
    {80, u"The file exists.\r\n"},
    {87, u"The parameter is incorrect.\r\n"},
    {112, u"There is not enough space on the disk.\r\n"},
    {123, u"The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {126, u"The specified module could not be found.\r\n"},
    {127, u"The specified procedure could not be found.\r\n"},
    {131, u"An attempt was made to move the file pointer before the beginning of the file.\r\n"},
    {183, u"Cannot create a file when that file already exists.\r\n"},
    {193, u"%1 is not a valid Win32 application.\r\n"},  // inserts are left as they stand
    {206, u"The filename or extension is too long.\r\n"},
    {267, u"The directory name is invalid.\r\n"},
    {740, u"The requested operation requires elevation.\r\n"},
    {1155, u"No application is associated with the specified file for this operation.\r\n"},
    {1223, u"The operation was canceled by the user.\r\n"},
    {1812, u"The specified image file did not contain a resource section.\r\n"},
    {1813, u"The specified resource type cannot be found in the image file.\r\n"},
};

}  // namespace

struct SimLocale::Converters {
  std::unordered_map<std::uint32_t, std::unique_ptr<CodePageConverter>> byCodePage;
  // Null where the host lacks the locale: best fits then come from the thread's own.
  locale_t translitLocale = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);

  Converters() = default;
  Converters(const Converters&) = delete;
  Converters& operator=(const Converters&) = delete;
  ~Converters() {
    if (translitLocale != nullptr) ::freelocale(translitLocale);
  }

  const CodePageConverter* For(std::uint32_t codePage) {
    auto& slot = byCodePage[codePage];
    if (!slot) slot = std::make_unique<CodePageConverter>("CP" + std::to_string(codePage));
    return slot->Usable() ? slot.get() : nullptr;
  }
};

SimLocale::SimLocale() : converters_(std::make_unique<Converters>()) {}
SimLocale::~SimLocale() = default;

std::string SimLocale::WideCharToMultiByte(std::uint32_t codePage, std::u16string_view text) {
  if (codePage == kCodePageAnsi) codePage = codePage_;
  if (codePage == kCodePageUtf8)
    return Utf16ToUtf8(text);  // unpaired surrogates become U+FFFD, as on Windows
  const CodePageConverter* converter = converters_->For(codePage);
  return converter != nullptr ? converter->Convert(text, converters_->translitLocale) : std::string();
}

std::u16string SimLocale::FormatMessageW(std::uint32_t errorCode) {
  for (const auto& message : kSystemMessages) {
    if (message.code == errorCode) return message.text;
  }
  return {};
}

}  // namespace velmoran::platform::sim
