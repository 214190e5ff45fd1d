#include "bridge/CapturePath.h"

#include <array>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "bridge/BridgeError.h"

namespace velmoran::bridge {
namespace {

constexpr std::u16string_view kRootFolder = u"velmoran_pose";

// "...", ". .", ".. ": the system trims trailing dots and blanks from names, so
// such a name may end up as a parent reference or as nothing at all.
bool IsOnlyDotsAndBlanks(std::u16string_view name) {
  for (char16_t c : name) {
    if (c != u'.' && c != u' ') return false;
  }
  return true;
}

// A name the system maps to a device instead of a file in the folder.
bool IsReservedDeviceName(std::u16string_view name) {
  std::size_t end = name.find_first_of(u".:");
  std::u16string_view base = name.substr(0, end == std::u16string_view::npos ? name.size() : end);
  while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
  static constexpr std::array<std::u16string_view, 6> kPlain = {u"CON", u"PRN",    u"AUX",
                                                                u"NUL", u"CONIN$", u"CONOUT$"};
  for (std::u16string_view device : kPlain) {
    if (EqualsIgnoringAsciiCase(base, device)) return true;
  }
  if (base.size() != 4) return false;
  const std::u16string_view stem = base.substr(0, 3);
  if (!EqualsIgnoringAsciiCase(stem, u"COM") && !EqualsIgnoringAsciiCase(stem, u"LPT")) return false;
  const char16_t digit = base[3];
  return (digit >= u'0' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

[[noreturn]] void Outside() { throw BridgeError(std::u16string(CapturePath::kOutsideError)); }
[[noreturn]] void Refuse(std::u16string_view text) { throw BridgeError(std::u16string(text)); }

bool HasUnpairedSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      return true;
    }
  }
  return false;
}

// The forms the file system would store under a different name than written.
void RefuseAlteredNames(std::u16string_view text) {
  if (text.find(u'\0') != std::u16string_view::npos) Refuse(CapturePath::kNulError);
  if (HasUnpairedSurrogate(text)) Refuse(CapturePath::kSurrogateError);
  if (text.find(u':', 2) != std::u16string_view::npos) Refuse(CapturePath::kStreamError);
}

}  // namespace

bool CapturePath::IsTemporaryName(std::u16string_view name) {
  constexpr std::size_t kDigits = 8;
  if (name.size() != kTemporaryPrefix.size() + kDigits) return false;
  if (!EqualsIgnoringAsciiCase(name.substr(0, kTemporaryPrefix.size()), kTemporaryPrefix)) return false;
  for (const char16_t c : name.substr(kTemporaryPrefix.size())) {
    const char16_t lower = ToLowerAscii(c);
    if (!((lower >= u'0' && lower <= u'9') || (lower >= u'a' && lower <= u'f'))) return false;
  }
  return true;
}

CapturePath::CapturePath(std::u16string path) : written_(std::move(path)) {
  const std::u16string_view text = written_;
  if (text.size() >= 2 && IsPathSeparator(text[0]) && IsPathSeparator(text[1])) Outside();
  // Only a fully qualified path on drive C: can be confirmed: "C:name" and
  // "\name" depend on the process's current directory.
  if (text.size() < 3 || !IsAsciiLetter(text[0]) || text[1] != u':' || !IsPathSeparator(text[2])) Outside();
  if (text[0] != u'C' && text[0] != u'c') Outside();
  RefuseAlteredNames(text);

  std::vector<std::u16string_view> names;
  std::size_t pos = 3;
  while (pos <= text.size()) {
    std::size_t end = pos;
    while (end < text.size() && !IsPathSeparator(text[end])) ++end;
    const std::u16string_view name = text.substr(pos, end - pos);
    pos = end + 1;
    if (name.empty() || name == u".") continue;
    if (name == u"..") {
      if (!names.empty()) names.pop_back();
      continue;
    }
    if (IsOnlyDotsAndBlanks(name) || IsReservedDeviceName(name)) Outside();
    if (name.back() == u'.' || name.back() == u' ') Refuse(kTrailingError);
    if (IsTemporaryName(name)) Refuse(kTemporaryError);
    names.push_back(name);
  }
  if (names.empty() || !EqualsIgnoringAsciiCase(names.front(), kRootFolder)) Outside();

  resolved_.reserve(text.size());
  resolved_.append(u"C:");
  for (std::u16string_view name : names) {
    resolved_.push_back(u'\\');
    resolved_.append(name);
  }
}

}  // namespace velmoran::bridge
