#include "crash/win32/ReportArchive.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/Text.h"
#include "crash/BugReport.h"
#include "crash/ZipWriter.h"
#include "platform/win32/WideText.h"

namespace velmoran::crash {
namespace {

using platform::win32::AsWide;
using platform::win32::Utf16Text;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) ::CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // Closes now; false (with the error in GetLastError) when the system could
  // not finish writing the file.
  bool Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return ::CloseHandle(handle) != FALSE;
  }

 private:
  HANDLE handle_;
};

// WriteFile takes a DWORD of bytes at a time; a minidump fits in one, but the
// loop keeps the sink honest for any size.
class FileZipSink final : public ZipSink {
 public:
  explicit FileZipSink(HANDLE file) : file_(file) {}
  bool Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (::WriteFile(file_, bytes.data(), chunk, &written, nullptr) == FALSE || written == 0) {
        error_ = ::GetLastError();
        if (error_ == ERROR_SUCCESS) error_ = ERROR_WRITE_FAULT;
        return false;
      }
      bytes.remove_prefix(written);
    }
    return true;
  }
  DWORD error() const { return error_; }

 private:
  HANDLE file_;
  DWORD error_ = ERROR_SUCCESS;
};

std::u16string Joined(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  path += u'\\';
  path += name;
  return path;
}

struct FolderFile {
  std::u16string name;
  FILETIME modified{};
};

DWORD ListFiles(std::u16string_view folder, std::vector<FolderFile>& files) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(AsWide(Joined(folder, u"*")), &found);
  if (search == INVALID_HANDLE_VALUE) return ::GetLastError();
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      files.push_back({Utf16Text(found.cFileName), found.ftLastWriteTime});
    }
  } while (::FindNextFileW(search, &found) != FALSE);
  const DWORD error = ::GetLastError();
  ::FindClose(search);
  if (error != ERROR_NO_MORE_FILES) return error;
  // The same archive for the same folder, whatever order the file system lists it in.
  std::sort(files.begin(), files.end(),
            [](const FolderFile& a, const FolderFile& b) { return a.name < b.name; });
  return ERROR_SUCCESS;
}

DWORD ReadWholeFile(const std::u16string& path, std::string& content) {
  const FileHandle file(::CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return ::GetLastError();
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file.get(), &size) == FALSE) return ::GetLastError();
  if (size.QuadPart > 0x7FFFFFFF) return ERROR_FILE_TOO_LARGE;
  content.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t at = 0;
  while (at < content.size()) {
    DWORD got = 0;
    if (::ReadFile(file.get(), content.data() + at, static_cast<DWORD>(content.size() - at), &got, nullptr) ==
        FALSE) {
      return ::GetLastError();
    }
    if (got == 0) break;  // the file shrank while we read it: keep what there is
    at += got;
  }
  content.resize(at);
  return ERROR_SUCCESS;
}

DosDateTime DosTimeOf(const FILETIME& modified) {
  FILETIME local{};
  SYSTEMTIME time{};
  if (::FileTimeToLocalFileTime(&modified, &local) == FALSE ||
      ::FileTimeToSystemTime(&local, &time) == FALSE) {
    return DosDateTime{};
  }
  return MakeDosDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

DWORD WriteArchive(std::u16string_view folder, const std::vector<FolderFile>& files, HANDLE target) {
  FileZipSink sink(target);
  const DeflateZipCompressor deflate;
  ZipWriter writer(sink, &deflate);
  const std::u16string prefix = std::u16string(LastPathPart(folder)) + u"/";
  std::string content;
  for (const FolderFile& file : files) {
    if (const DWORD error = ReadWholeFile(Joined(folder, file.name), content); error != ERROR_SUCCESS)
      return error;
    if (!writer.Add(prefix + file.name, content, DosTimeOf(file.modified))) {
      return sink.error() != ERROR_SUCCESS ? sink.error() : ERROR_FILE_TOO_LARGE;
    }
  }
  if (!writer.Finish()) return sink.error() != ERROR_SUCCESS ? sink.error() : ERROR_FILE_TOO_LARGE;
  return ERROR_SUCCESS;
}

}  // namespace

std::u16string_view LastPathPart(std::u16string_view folder) {
  while (!folder.empty() && IsPathSeparator(folder.back())) folder.remove_suffix(1);
  std::size_t start = folder.size();
  while (start > 0 && !IsPathSeparator(folder[start - 1]) && folder[start - 1] != u':') --start;
  return folder.substr(start);
}

std::uint32_t WriteContactFile(std::u16string_view folder, const Contact& contact) {
  const std::string text = ContactText(contact);
  FileHandle file(::CreateFileW(AsWide(Joined(folder, kContactFileName)), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return ::GetLastError();
  FileZipSink sink(file.get());
  if (!sink.Write(text)) return sink.error();
  return file.Close() ? ERROR_SUCCESS : ::GetLastError();
}

std::uint32_t SaveReportArchive(std::u16string_view folder, std::u16string_view zipPath,
                                bool includeScreenshot) {
  std::vector<FolderFile> files;
  if (const DWORD error = ListFiles(folder, files); error != ERROR_SUCCESS) return error;
  if (!includeScreenshot) {
    std::erase_if(files, [](const FolderFile& file) {
      return EqualsIgnoringAsciiCase(file.name, kScreenshotFileName);
    });
  }
  const std::u16string target(zipPath);
  FileHandle file(::CreateFileW(AsWide(target), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return ::GetLastError();
  DWORD error = WriteArchive(folder, files, file.get());
  if (!file.Close() && error == ERROR_SUCCESS) error = ::GetLastError();
  if (error != ERROR_SUCCESS) ::DeleteFileW(AsWide(target));
  return error;
}

}  // namespace velmoran::crash
