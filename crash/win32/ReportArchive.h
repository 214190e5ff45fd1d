#pragma once

// What the bug-report window does with the report folder on disk: keeps the
// user's contact details in it, and saves it as one .zip. Each answers 0 or
// the system's error code (GetLastError), which the window shows the user.

#include <cstdint>
#include <string>
#include <string_view>

#include "crash/ContactText.h"

namespace velmoran::crash {

// Writes (or replaces) "contact.txt" in the folder.
std::uint32_t WriteContactFile(std::u16string_view folder, const Contact& contact);

// Every file of the folder (sub-folders are not part of a report), by name,
// each as "<folder's last name>/<file>" with its last-write time, deflated
// where that makes it smaller, into the archive `zipPath`; "screenshot.png" only when
// `includeScreenshot`. A failed save leaves no partial archive behind.
std::uint32_t SaveReportArchive(std::u16string_view folder, std::u16string_view zipPath,
                                bool includeScreenshot);

// The folder's last name ("20261210-203525" for "C:\...\bugreports\20261210-203525").
std::u16string_view LastPathPart(std::u16string_view folder);

}  // namespace velmoran::crash
