#pragma once

// Paths the loader and the runtime search build: the executable's own path
// and folder, and the small Windows path rules they need.

#include <string>
#include <string_view>

#include "platform/Files.h"
#include "platform/Process.h"

namespace velmoran::webview {

// The executable's full path: asked with room for 260 characters, then for
// 4096 when it did not fit. False (and an empty path) when both failed.
bool GetExecutablePath(platform::Process& process, std::u16string& path);

// The folder part of a path, without its final "\" ("C:\velmoran" for
// "C:\velmoran\velmoran.exe"); empty when the path has no folder.
std::u16string ExtractFileDir(std::u16string_view path);
// The last component ("velmoran.exe").
std::u16string_view ExtractFileName(std::u16string_view path);
std::u16string IncludeTrailingPathDelimiter(std::u16string_view path);
std::u16string_view ExcludeTrailingPathDelimiter(std::u16string_view path);

// "C:\..." or "\\server\...": a path that names its place by itself.
bool IsAbsolutePath(std::u16string_view path);

// An existing file; a folder of that name does not count.
bool FileExists(platform::Files& files, std::u16string_view path);

}  // namespace velmoran::webview
