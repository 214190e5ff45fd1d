#include "platform/sim/SimModules.h"

#include "base/Text.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimProcess.h"

namespace velmoran::platform::sim {

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsAbsolute(std::u16string_view path) {
  if (path.size() >= 3 && path[1] == u':' && IsSeparator(path[2])) return true;
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

bool HasSeparator(std::u16string_view path) {
  for (char16_t c : path) {
    if (IsSeparator(c) || c == u':') return true;
  }
  return false;
}

// Lower case, "\" separators, "." and ".." resolved, so that two spellings of
// one path compare equal.
std::u16string Normalize(std::u16string_view path) {
  std::u16string prefix;
  std::u16string_view rest = path;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    prefix = u"\\\\";
    rest = path.substr(2);
  } else if (path.size() >= 2 && path[1] == u':') {
    prefix = std::u16string(path.substr(0, 2)) + u"\\";
    rest = path.substr(2);
  }
  std::vector<std::u16string> parts;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = start;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    std::u16string_view part = rest.substr(start, end - start);
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.emplace_back(part);
    }
    start = end + 1;
  }
  std::u16string result = prefix;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) result += u'\\';
    result += parts[i];
  }
  return ToLowerAscii(result);
}

std::u16string FolderOf(std::u16string_view path) {
  std::size_t last = path.find_last_of(u"\\/");
  return last == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, last));
}

}  // namespace

SimModules::SimModules(SimFiles& files, SimProcess& process) : files_(files), process_(process) {}

SimModules::~SimModules() = default;

void SimModules::Register(std::u16string_view path, Library library) {
  const std::u16string key = Normalize(path);
  if (auto it = libraries_.find(key); it != libraries_.end()) {
    // A library registered again keeps its handle and its loads.
    library.handle = it->second.handle;
    library.references = it->second.references;
  } else {
    library.handle = nextHandle_;
    nextHandle_ += 0x10000;
  }
  library.path = std::u16string(path);
  libraries_[key] = std::move(library);
}

void SimModules::RegisterLibrary(std::u16string_view path, std::map<std::string, ProcAddress> exports) {
  Register(path, Library{{}, std::move(exports), 0, 0, 0});
}

void SimModules::RegisterFailingLibrary(std::u16string_view path, std::uint32_t errorCode) {
  Register(path, Library{{}, {}, errorCode, 0, 0});
}

SimModules::Library* SimModules::Find(const std::u16string& normalizedPath) {
  auto it = libraries_.find(normalizedPath);
  return it == libraries_.end() ? nullptr : &it->second;
}

SimModules::Library* SimModules::Resolve(std::u16string_view fileName) {
  if (IsAbsolute(fileName)) return Find(Normalize(fileName));
  const std::u16string executableFolder = FolderOf(process_.ExecutablePath());
  if (!executableFolder.empty()) {
    if (Library* library = Find(Normalize(executableFolder + u"\\" + std::u16string(fileName))))
      return library;
  }
  if (!HasSeparator(fileName)) {
    if (Library* library = Find(Normalize(fileName))) return library;
  }
  std::u16string current = files_.GetCurrentDirectoryW();
  if (!current.empty() && !IsSeparator(current.back())) current += u'\\';
  return Find(Normalize(current + std::u16string(fileName)));
}

SimModules::Library* SimModules::ByHandle(Handle module) {
  for (auto& [key, library] : libraries_) {
    if (library.handle == module && library.references > 0) return &library;
  }
  return nullptr;
}

Handle SimModules::LoadLibraryW(std::u16string_view fileName) {
  // A name without extension gets ".dll"; a final dot says that it has none.
  std::u16string name(fileName.substr(0, fileName.find(u'\0')));
  const std::size_t nameStart = name.find_last_of(u"\\/") + 1;  // npos + 1: the whole text
  if (!name.empty() && name.back() == u'.') {
    name.pop_back();
  } else if (!name.empty() && name.find(u'.', nameStart) == std::u16string::npos) {
    name += u".dll";
  }
  Library* library = name.empty() ? nullptr : Resolve(name);
  if (library == nullptr) {
    lastError_ = kErrorModNotFound;
    return 0;
  }
  if (library->loadError != 0) {
    lastError_ = library->loadError;
    return 0;
  }
  ++library->references;
  ++totalLoads_;
  loadLog_.push_back(library->path);
  lastError_ = kErrorSuccess;
  return library->handle;
}

ProcAddress SimModules::GetProcAddress(Handle module, std::string_view procName) {
  // Win32 takes terminated strings: whatever follows a NUL is not part of it.
  procName = procName.substr(0, procName.find('\0'));
  Library* library = ByHandle(module);
  if (library == nullptr) {
    lastError_ = kErrorModNotFound;
    return nullptr;
  }
  auto it = library->exports.find(std::string(procName));
  if (it == library->exports.end() || it->second == nullptr) {
    lastError_ = kErrorProcNotFound;
    return nullptr;
  }
  lastError_ = kErrorSuccess;
  return it->second;
}

bool SimModules::FreeLibrary(Handle module) {
  Library* library = ByHandle(module);
  if (library == nullptr) {
    lastError_ = kErrorInvalidHandle;
    return false;
  }
  --library->references;
  ++totalFrees_;
  lastError_ = kErrorSuccess;
  return true;
}

std::size_t SimModules::LoadedLibraries() const {
  std::size_t count = 0;
  for (const auto& [key, library] : libraries_) {
    if (library.references > 0) ++count;
  }
  return count;
}

}  // namespace velmoran::platform::sim
