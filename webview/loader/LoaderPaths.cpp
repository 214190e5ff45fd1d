#include "webview/loader/LoaderPaths.h"

namespace velmoran::webview {

namespace {

bool IsDelimiter(char16_t c) { return c == u'\\' || c == u'/'; }

std::size_t LastDelimiter(std::u16string_view path) { return path.find_last_of(u"\\/:"); }

}  // namespace

bool GetExecutablePath(platform::Process& process, std::u16string& path) {
  if (process.GetModuleFileNameW(260, path)) return true;
  if (process.GetModuleFileNameW(4096, path)) return true;
  path.clear();
  return false;
}

std::u16string ExtractFileDir(std::u16string_view path) {
  const std::size_t last = LastDelimiter(path);
  if (last == std::u16string_view::npos) return {};
  // "C:\x.exe" keeps its root: the folder of a file at the top of a drive is "C:\".
  if (last > 0 && IsDelimiter(path[last]) && path[last - 1] != u':')
    return std::u16string(path.substr(0, last));
  return std::u16string(path.substr(0, last + 1));
}

std::u16string_view ExtractFileName(std::u16string_view path) {
  const std::size_t last = LastDelimiter(path);
  return last == std::u16string_view::npos ? path : path.substr(last + 1);
}

std::u16string IncludeTrailingPathDelimiter(std::u16string_view path) {
  std::u16string result(path);
  if (result.empty() || !IsDelimiter(result.back())) result += u'\\';
  return result;
}

std::u16string_view ExcludeTrailingPathDelimiter(std::u16string_view path) {
  while (!path.empty() && IsDelimiter(path.back())) path.remove_suffix(1);
  return path;
}

bool IsAbsolutePath(std::u16string_view path) {
  const bool driveLetter = path.size() >= 3 &&
                           ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
                           path[1] == u':' && path[2] == u'\\';
  const bool network = path.size() >= 3 && path[1] != u':' && path[0] == u'\\' && path[1] == u'\\';
  return driveLetter || network;
}

bool FileExists(platform::Files& files, std::u16string_view path) {
  if (path.empty()) return false;
  const std::uint32_t attributes = files.GetFileAttributesW(path);
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) == 0;
}

}  // namespace velmoran::webview
