#pragma once

// Texts and paths between the test program, Wine and the Unix side: UTF-8 for
// files and Unix commands, UTF-16 for Windows, and Wine's drive Z: for the
// Unix root.

#include <string>
#include <string_view>

namespace velmoran::test {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view text);
// Bytes in a Windows code page (949 for the shell's log) as UTF-16.
std::wstring FromCodePage(std::string_view bytes, unsigned codePage);

// "/work/x/y" as Wine sees it: "Z:\work\x\y".
std::wstring WinePathOf(std::string_view unixPath);

// The whole file, or nothing when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);
bool FileExists(const std::wstring& path);
// Removes a folder with everything in it; true when nothing is left.
bool RemoveTree(const std::wstring& path);

}  // namespace velmoran::test
