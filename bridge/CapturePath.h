#pragma once

// A path of the capture store that cannot lead outside the capture root.
//
// Every folder and file the store creates or writes is named by a
// CapturePath, and the only way to make one is the checking constructor, so a
// name from the page that climbs out of "C:\velmoran_pose\" (a "..", a rooted,
// drive-qualified, drive-relative or UNC name) fails before anything is
// created, and the check cannot be forgotten at a new call site.

#include <string>
#include <string_view>

namespace velmoran::bridge {

class CapturePath {
 public:
  static constexpr std::u16string_view kRoot = u"C:\\velmoran_pose\\";
  static constexpr std::u16string_view kOutsideError = u"The path is outside the capture root";
  static constexpr std::u16string_view kNulError = u"The name contains a NUL character";
  static constexpr std::u16string_view kSurrogateError = u"The name contains an unpaired surrogate";
  static constexpr std::u16string_view kStreamError = u"The name contains a stream separator";
  static constexpr std::u16string_view kTrailingError = u"The name ends with a dot or a blank";
  static constexpr std::u16string_view kTemporaryError = u"The name is reserved for temporary files";
  // The store writes every file to a temporary beside it named this prefix
  // and eight hexadecimal digits (TemporaryPathFor).
  static constexpr std::u16string_view kTemporaryPrefix = u"~vm";

  // Whether `name` has the form of the store's temporaries, letter case
  // ignored as the file system ignores it.
  static bool IsTemporaryName(std::u16string_view name);

  // `path` must be a full path on drive C: that lies in the capture root or
  // below once "\" and "/" are taken as separators, repeated separators as
  // one, and "." and ".." are resolved; the root is compared ignoring case.
  // Otherwise raises BridgeError(kOutsideError). Refused as well, because the
  // system would not take them as plain names inside the root:
  // - a path beginning with two separators (UNC, "\\?\" and "\\.\" forms);
  // - a name made only of dots and blanks other than "." and "..";
  // - a reserved device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$,
  //   CONOUT$), with or without an extension.
  // And names the file system would silently store under another name, each
  // with its own text, so the page's data never overwrites a neighbour:
  // - a NUL (the system's calls end the name there: "user.txt\0.png" is
  //   "user.txt"): kNulError;
  // - an unpaired surrogate (Windows keeps it, but Wine's file names are
  //   UTF-8 and turn every one into the same replacement character): kSurrogateError;
  // - a ":" after the drive ("3.png:x" is a stream of "3.png"): kStreamError;
  // - a name ending in a dot or a blank ("3.png." is "3.png"): kTrailingError.
  // And a name of the temporaries' form (kTemporaryError): the next write
  // beside it would take such a file for its own temporary and replace it,
  // and a folder of that name would stand in the way of that temporary.
  explicit CapturePath(std::u16string path);

  // The path as the store built it; error texts show this form.
  const std::u16string& written() const { return written_; }
  // The same place with one "\" between names, no "." or ".." and no trailing
  // separator ("C:\velmoran_pose\A01"); the file system is handed this form.
  const std::u16string& resolved() const { return resolved_; }

 private:
  std::u16string written_;
  std::u16string resolved_;
};

}  // namespace velmoran::bridge
