#pragma once

// File and path helpers of the capture store. Every failure is raised as a
// BridgeError with the text the page bridge logs; every folder or file they
// create is named by a CapturePath, so nothing lands outside the capture root.

#include <string>
#include <string_view>

#include "bridge/CapturePath.h"
#include "platform/Platform.h"

namespace velmoran::bridge {

// "Invalid characters in path" when `path` holds a control character or one
// of " < > | * ?.
void CheckPathCharacters(std::u16string_view path);
// "The path format is not supported" when a colon stands anywhere but right
// after a drive letter at the start.
void CheckPathFormat(std::u16string_view path);

// The folder part of a directory text: white space around it trimmed, then
// everything before its last "\" or "/" (empty when it has none).
std::u16string FolderOf(std::u16string_view directory);
// `fileName` alone when it is rooted (begins with "\" or "/", or its second
// character is a colon); otherwise `folder`, a "\" unless `folder` already
// ends with one, and `fileName`.
std::u16string CombineFolderAndName(std::u16string_view folder, std::u16string_view fileName);

inline constexpr std::u16string_view kFolderTooLongError = u"The folder path is too long";

// When no directory exists at `path`: tests its characters, the drive and
// its length (kFolderTooLongError past the system's limit for
// folders) and creates it with every missing level above it. A level the file
// system refuses to create is not reported here; the next write into it fails.
void EnsureDirectory(platform::Files& files, const CapturePath& path);

// Writes `text` as UTF-8 without a byte-order mark into `fileName` inside the
// folder `directory` names, replacing the file entirely. The file's folder
// must exist ("The specified path was not found" otherwise).
void WriteTextToFolder(platform::Platform& platform, std::u16string_view directory,
                       std::u16string_view fileName, std::u16string_view text);

// Creates or replaces `file` with `bytes`, never leaving it half-written:
// the bytes go to TemporaryPathFor(file) (no other process may open it
// meanwhile), are flushed, and the temporary is moved over the file in one
// step. On any failure the earlier file stays exactly as it was and the
// temporary is removed. Temporaries a killed process left in the file's
// folder are removed first (RemoveStaleTemporaries). "Cannot create file
// \"<path>\". <system text>" (the file's written path; the system's message
// without the line break and blanks it ends in) when the file cannot be
// created or replaced, "Stream write error" when the bytes cannot be written
// or flushed (disk full).
void WriteFileBytes(platform::Platform& platform, const CapturePath& file, std::string_view bytes);

// The temporary a write of `file` goes through: beside it, "~vm" and eight
// hexadecimal digits of a hash of its name (letter case ignored), so it
// never ends in ".png" like a capture and, eleven characters long, fits
// wherever a file fits in a folder the store can create. No capture can have
// that form (CapturePath refuses it).
std::u16string TemporaryPathFor(const CapturePath& file);

// Deletes every file of the temporaries' form in `folder` (a resolved
// folder path): within one run a temporary never outlives its write, so any
// found there was left by a process that was killed while writing. Failures
// are ignored; a temporary still open in another process stays.
void RemoveStaleTemporaries(platform::Files& files, const std::u16string& folder);

}  // namespace velmoran::bridge
