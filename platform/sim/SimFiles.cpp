#include "platform/sim/SimFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "platform/sim/HostNames.h"

namespace velmoran::platform::sim {
namespace {

constexpr std::uint32_t kErrorTooManyOpenFiles = 4;
constexpr std::uint32_t kErrorNotSameDevice = 17;
constexpr std::uint32_t kErrorBadNetPath = 53;
constexpr std::uint32_t kErrorNegativeSeek = 131;
// A file without a version resource set by the test stands for one without
// any resources, as a plain file or a small program is.
constexpr std::uint32_t kErrorResourceDataNotFound = 1812;
constexpr std::uint32_t kErrorResourceTypeNotFound = 1813;

// NTFS's limit for one name; the whole path is limited by kMaxPathLength.
constexpr std::size_t kMaxComponentLength = 255;

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

char16_t ToUpperAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// Characters the Windows file systems refuse inside a name.
bool IsInvalidNameCharacter(char16_t c) {
  return c < 0x20 || std::u16string_view(u"<>:\"|?*").find(c) != std::u16string_view::npos;
}

// Windows compares names through an upper-case table that covers far more than
// ASCII. This covers the alphabets names are realistically written in: ASCII,
// Latin-1, Latin Extended-A, Greek, Cyrillic and the full-width Latin letters.
// Hangul and the CJK scripts have no case.
char16_t FoldCase(char16_t c) {
  if (c < 0x80) return ToUpperAsciiLetter(c);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return static_cast<char16_t>(c & ~1u);
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
    return (c & 1u) ? c : static_cast<char16_t>(c - 1);
  }
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return static_cast<char16_t>(c - 0x20);
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0x20);
  return c;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// A name against a search pattern's last name: "*" any run of characters,
// "?" any one, everything else itself ignoring case.
bool MatchesPattern(std::u16string_view name, std::u16string_view pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starAt = std::u16string_view::npos;  // the pattern's last "*" so far
  std::size_t starName = 0;                        // where the name stood when it was met
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      starAt = p++;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == u'?' || name[n] == pattern[p] || FoldCase(name[n]) == FoldCase(pattern[p]))) {
      ++n;
      ++p;
    } else if (starAt != std::u16string_view::npos) {
      // The last "*" takes one character more and the rest is tried again.
      p = starAt + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

// Folder entries in the order NTFS lists them: by their names' upper case.
bool ListsBefore(std::u16string_view a, std::u16string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t x = FoldCase(a[i]);
    const char16_t y = FoldCase(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

std::uint32_t ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return kErrorFileNotFound;
    case ENOTDIR:
      return kErrorPathNotFound;
    case EEXIST:
      return kErrorFileExists;
    case ENOSPC:
    case EDQUOT:
      return kErrorDiskFull;
    case ENAMETOOLONG:
      return kErrorFilenameExcedRange;
    case EMFILE:
    case ENFILE:
      return kErrorTooManyOpenFiles;
    case EBADF:
      return kErrorInvalidHandle;
    case EINVAL:
      return kErrorInvalidParameter;
    default:
      return kErrorAccessDenied;  // EACCES, EPERM, EROFS, EISDIR and the rest
  }
}

// A Windows path brought to its full form the way GetFullPathNameW does it.
struct FullPath {
  char16_t drive = u'C';                   // upper-case letter
  std::vector<std::u16string> components;  // below the drive's root, as written
  bool trailingSeparator = false;          // written with a final "\": names a folder
  std::u16string stream;                   // "x" of "a.txt:x"; empty for the file's own data

  std::u16string Text() const {
    std::u16string text{drive, u':', u'\\'};
    for (std::size_t i = 0; i < components.size(); ++i) {
      if (i > 0) text.push_back(u'\\');
      text += components[i];
    }
    if (!stream.empty()) text += u':' + stream;
    return text;
  }
};

// Splits the stream part off a final name: "a.txt:x" and "a.txt:x:$DATA" name
// the stream x, "a.txt::$DATA" the file's own data. False for a stream part
// NTFS refuses (an empty name, another type than $DATA).
bool SplitStream(std::u16string& name, std::u16string& stream) {
  const std::size_t colon = name.find(u':');
  if (colon == std::u16string::npos) return true;
  std::u16string streamPart = name.substr(colon + 1);
  name.resize(colon);
  const std::size_t typeColon = streamPart.find(u':');
  if (typeColon != std::u16string::npos) {
    if (!EqualsIgnoringAsciiCase(std::u16string_view(streamPart).substr(typeColon + 1), u"$DATA"))
      return false;
    streamPart.resize(typeColon);
  } else if (streamPart.empty()) {
    return false;
  }
  stream = std::move(streamPart);
  return true;
}

enum class Presence { kExists, kMissing, kParentMissing };

// What a full path names on the host.
struct HostTarget {
  FullPath path;
  std::string host;  // existing names in their stored case, new names as written
  Presence presence = Presence::kMissing;
  struct stat info {};

  // For a stream: the file (or folder) it belongs to.
  std::string baseHost;
  Presence basePresence = Presence::kMissing;
  struct stat baseInfo {};

  bool IsStream() const { return !path.stream.empty(); }
  bool IsDirectory() const { return presence == Presence::kExists && S_ISDIR(info.st_mode); }
  bool IsFile() const { return presence == Presence::kExists && !S_ISDIR(info.st_mode); }
  bool IsDriveRoot() const { return path.components.empty(); }
  // What Windows reports about the file: a stream answers with its file's attributes.
  const struct stat& FileInfo() const { return IsStream() ? baseInfo : info; }
};

// A file is read-only to Windows when no write permission bit is set; checked
// here rather than left to open(), which ignores permissions for root.
bool IsReadOnly(const struct stat& info) { return (info.st_mode & 0222) == 0; }

// Share modes live in byte-range locks of the host file (open file
// description locks), so they hold between all handles on it, those of other
// SimFiles objects and other processes included, as Windows keeps them for
// the whole system. A handle with data access holds shared locks on marker
// bytes far past any data: one for each access it has and one for each kind
// of access it refuses to share. An open asks whether a marker it conflicts
// with is held before it takes its own. No handle shares delete access (the
// services have no such share mode), so every handle, one without data access
// too, holds kRefusesDelete: a file that any handle holds cannot be deleted,
// renamed or replaced.
enum ShareMarker : off_t { kHasRead, kHasWrite, kRefusesRead, kRefusesWrite, kRefusesDelete };
constexpr off_t kShareMarkerBase = std::numeric_limits<off_t>::max() - 8;

struct flock MarkerLock(ShareMarker marker, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = kShareMarkerBase + marker;
  lock.l_len = 1;
  return lock;
}

bool MarkerHeld(int fd, ShareMarker marker) {
  struct flock probe = MarkerLock(marker, F_WRLCK);
  return ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

constexpr std::uint32_t kDataAccess = kGenericRead | kGenericWrite;

// Windows share rules: each side's access must be allowed by the other's
// share mode; an open without data access is neither checked nor counted.
bool ConflictsWithOtherHandles(int fd, std::uint32_t access, std::uint32_t share) {
  if ((access & kDataAccess) == 0) return false;
  return ((access & kGenericRead) && MarkerHeld(fd, kRefusesRead)) ||
         ((access & kGenericWrite) && MarkerHeld(fd, kRefusesWrite)) ||
         (!(share & kFileShareRead) && MarkerHeld(fd, kHasRead)) ||
         (!(share & kFileShareWrite) && MarkerHeld(fd, kHasWrite));
}

void HoldShareMarkers(int fd, std::uint32_t access, std::uint32_t share) {
  struct flock open = MarkerLock(kRefusesDelete, F_RDLCK);
  ::fcntl(fd, F_OFD_SETLK, &open);
  if ((access & kDataAccess) == 0) return;
  const std::pair<bool, ShareMarker> markers[] = {{(access & kGenericRead) != 0, kHasRead},
                                                  {(access & kGenericWrite) != 0, kHasWrite},
                                                  {!(share & kFileShareRead), kRefusesRead},
                                                  {!(share & kFileShareWrite), kRefusesWrite}};
  for (const auto& [held, marker] : markers) {
    if (!held) continue;
    struct flock lock = MarkerLock(marker, F_RDLCK);
    ::fcntl(fd, F_OFD_SETLK, &lock);
  }
}

// Whether any handle, of any process, holds the host file open.
bool HeldByAHandle(const std::string& host) {
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = MarkerHeld(fd, kRefusesDelete);
  ::close(fd);
  return held;
}

bool WriteAll(int fd, const char* data, std::size_t size, std::size_t& written) {
  while (written < size) {
    const ssize_t n = ::write(fd, data + written, size - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

struct SimFiles::Impl {
  struct OpenFile {
    int fd = -1;
    std::uint32_t access = 0;
  };
  // A folder's matching entries, taken when the search began.
  struct Search {
    std::vector<FindData> entries;
    std::size_t next = 0;
  };
  struct VersionResource {
    std::uint32_t versionMS = 0;
    std::uint32_t versionLS = 0;
    std::map<std::u16string, std::u16string> strings;
  };

  std::string root;  // host folder holding one folder per drive letter
  std::array<bool, 26> drives{};
  FullPath currentDirectory;  // C:\ until changed
  std::unordered_map<Handle, OpenFile> handles;
  std::unordered_map<Handle, Search> searches;
  Handle nextHandle = 0x100;
  std::uint32_t lastError = kErrorSuccess;
  std::optional<std::uint64_t> diskSpace;
  std::uint64_t bytesWritten = 0;
  std::uint32_t flushFailure = kErrorSuccess;
  std::map<std::string, VersionResource> versions;  // by host path

  std::array<std::string, 26> mappedDrives;  // host folders set by MapDrive

  std::string DriveRoot(char16_t drive) const {
    const std::string& mapped = mappedDrives[static_cast<std::size_t>(drive - u'A')];
    if (!mapped.empty()) return mapped;
    std::string path = root;
    path.push_back('/');
    path.push_back(static_cast<char>(drive));
    return path;
  }

  // The version resource of the file at `path`, or none with the error set as
  // the version functions set it.
  const VersionResource* FindVersion(std::u16string_view path) {
    HostTarget target;
    std::uint32_t error = Resolve(path, target);
    if (error == kErrorSuccess && target.presence != Presence::kExists) {
      error = target.presence == Presence::kMissing ? kErrorFileNotFound : kErrorPathNotFound;
    }
    if (error != kErrorSuccess) {
      Fail(error);
      return nullptr;
    }
    const auto it = versions.find(target.host);
    if (it == versions.end()) {
      Fail(kErrorResourceDataNotFound);
      return nullptr;
    }
    return &it->second;
  }

  bool Fail(std::uint32_t error) {
    lastError = error;
    return false;
  }

  // The full path of `text`, or the error Windows gives for its form.
  std::uint32_t MakeFullPath(std::u16string_view text, FullPath& out) const {
    // Win32 takes terminated strings: whatever follows a NUL is not part of the path.
    text = text.substr(0, text.find(u'\0'));
    if (text.empty()) return kErrorPathNotFound;
    std::u16string path(text);
    for (char16_t& c : path) {
      if (c == u'/') c = u'\\';
    }
    if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') return kErrorBadNetPath;

    std::size_t rest = 0;
    bool rooted = false;
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == u':') {
      out.drive = ToUpperAsciiLetter(path[0]);
      rest = 2;
      rooted = path.size() > 2 && path[2] == u'\\';
      // "X:name": relative to the drive's own current directory, which is the
      // process's current directory on that drive and the root elsewhere.
      if (!rooted && out.drive == currentDirectory.drive) out.components = currentDirectory.components;
    } else {
      out.drive = currentDirectory.drive;
      rooted = path[0] == u'\\';
      if (!rooted) out.components = currentDirectory.components;
    }
    out.trailingSeparator = path.back() == u'\\' && path.size() > rest + (rooted ? 1 : 0);

    std::size_t start = rest;
    while (start <= path.size()) {
      std::size_t end = path.find(u'\\', start);
      if (end == std::u16string::npos) end = path.size();
      std::u16string name = path.substr(start, end - start);
      const bool last = end == path.size();
      start = end + 1;
      if (name.empty() || name == u".") continue;
      if (name == u"..") {
        if (!out.components.empty()) out.components.pop_back();
        continue;
      }
      if (last) {
        // The final name loses all its trailing dots and blanks.
        while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.pop_back();
      } else if (name.back() == u'.' && (name.size() < 2 || name[name.size() - 2] != u'.')) {
        // Inside the path, only one single trailing dot goes.
        name.pop_back();
      }
      if (last && !SplitStream(name, out.stream)) return kErrorInvalidName;
      if (name.empty()) continue;
      for (char16_t c : name + out.stream) {
        if (IsInvalidNameCharacter(c)) return kErrorInvalidName;
      }
      if (name.size() > kMaxComponentLength || out.stream.size() > kMaxComponentLength) {
        return kErrorFilenameExcedRange;
      }
      out.components.push_back(std::move(name));
    }
    if (out.Text().size() > kMaxPathLength) return kErrorPathNotFound;
    if (!drives[static_cast<std::size_t>(out.drive - u'A')]) return kErrorPathNotFound;
    return kErrorSuccess;
  }

  // Looks for `name` in the host folder `folder` ignoring case; the stored name or nothing.
  static std::optional<std::string> FindIgnoringCase(const std::string& folder, std::u16string_view name) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view stored = entry->d_name;
      if (stored == "." || stored == "..") continue;
      if (EqualsIgnoringCase(WindowsNameOf(stored), name)) {
        found = std::string(stored);
        break;
      }
    }
    ::closedir(dir);
    return found;
  }

  // Maps a Windows path onto the host. Fast path: the names exist exactly as
  // written, one stat. Only a miss walks back to the deepest existing folder
  // and resolves the rest of the names against what the folders hold.
  std::uint32_t Resolve(std::u16string_view text, HostTarget& out) const {
    if (const std::uint32_t error = MakeFullPath(text, out.path); error != kErrorSuccess) return error;
    if (const std::uint32_t error = ResolveNames(out); error != kErrorSuccess) return error;
    if (out.IsStream()) ResolveStream(out);
    return kErrorSuccess;
  }

  // A stream is kept beside its file as the host file "<file>:<stream>", a
  // name that no Windows file can have, so the file's own content stays its own.
  static void ResolveStream(HostTarget& out) {
    out.baseHost = out.host;
    out.basePresence = out.presence;
    out.baseInfo = out.info;
    std::string stream = out.host + ':';
    AppendHostName(out.path.stream, stream);
    out.host = stream;
    if (out.basePresence != Presence::kExists) return;  // kMissing or kParentMissing, as the file's
    out.presence = Presence::kMissing;
    if (::stat(stream.c_str(), &out.info) == 0) {
      out.presence = Presence::kExists;
      return;
    }
    const std::size_t slash = out.baseHost.rfind('/');
    const std::string folder = out.baseHost.substr(0, slash);
    const std::u16string wanted = WindowsNameOf(out.baseHost.substr(slash + 1)) + u':' + out.path.stream;
    if (const auto stored = FindIgnoringCase(folder, wanted)) {
      out.host = folder + '/' + *stored;
      if (::stat(out.host.c_str(), &out.info) == 0) out.presence = Presence::kExists;
    }
  }

  // Maps the path's names onto the host (the stream part aside).
  std::uint32_t ResolveNames(HostTarget& out) const {
    const auto& names = out.path.components;

    std::string host = DriveRoot(out.path.drive);
    std::vector<std::size_t> prefixEnds{host.size()};
    for (const auto& name : names) {
      host.push_back('/');
      AppendHostName(name, host);
      prefixEnds.push_back(host.size());
    }
    if (::stat(host.c_str(), &out.info) == 0) {
      out.host = std::move(host);
      out.presence = Presence::kExists;
      return kErrorSuccess;
    }

    // Deepest prefix that exists exactly as written (the drive's root at least).
    std::size_t known = names.size();
    struct stat info {};
    while (known > 0) {
      --known;
      if (::stat(host.substr(0, prefixEnds[known]).c_str(), &info) == 0) break;
    }
    if (known == 0 && ::stat(host.substr(0, prefixEnds[0]).c_str(), &info) != 0) return kErrorPathNotFound;

    std::string resolved = host.substr(0, prefixEnds[known]);
    for (std::size_t i = known; i < names.size(); ++i) {
      if (!S_ISDIR(info.st_mode)) {
        out.presence = Presence::kParentMissing;
        break;
      }
      // The name as written, unless it is the one already known to be missing; then any case.
      std::string candidate = resolved + host.substr(prefixEnds[i], prefixEnds[i + 1] - prefixEnds[i]);
      bool found = i > known && ::stat(candidate.c_str(), &info) == 0;
      if (!found) {
        if (const auto stored = FindIgnoringCase(resolved, names[i])) {
          candidate = resolved + '/' + *stored;
          found = ::stat(candidate.c_str(), &info) == 0;
        }
      }
      if (!found) {
        out.presence = i + 1 == names.size() ? Presence::kMissing : Presence::kParentMissing;
        resolved += host.substr(prefixEnds[i]);  // new names keep the case given
        break;
      }
      resolved = std::move(candidate);
      if (i + 1 == names.size()) {
        out.presence = Presence::kExists;
        out.info = info;
      }
    }
    out.host = std::move(resolved);
    return kErrorSuccess;
  }

  Impl::OpenFile* Find(Handle file) {
    const auto it = handles.find(file);
    return it == handles.end() ? nullptr : &it->second;
  }
};

SimFiles::SimFiles(std::filesystem::path root) : impl_(std::make_unique<Impl>()), root_(std::move(root)) {
  impl_->root = root_.string();
  AddDrive(u'C');
}

SimFiles::~SimFiles() {
  for (const auto& [handle, open] : impl_->handles) ::close(open.fd);
}

std::uint32_t SimFiles::GetFileAttributesW(std::u16string_view path) {
  HostTarget target;
  std::uint32_t error = impl_->Resolve(path, target);
  if (error == kErrorSuccess) {
    if (target.presence == Presence::kExists) {
      const struct stat& info = target.FileInfo();
      if (S_ISDIR(info.st_mode)) return kFileAttributeDirectory;
      if (target.path.trailingSeparator) {
        error = kErrorInvalidName;
      } else {
        return kFileAttributeArchive | (IsReadOnly(info) ? kFileAttributeReadOnly : 0);
      }
    } else {
      error = target.presence == Presence::kMissing ? kErrorFileNotFound : kErrorPathNotFound;
    }
  }
  impl_->lastError = error;
  return kInvalidFileAttributes;
}

Handle SimFiles::CreateFileW(std::u16string_view path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                             std::uint32_t creationDisposition) {
  Impl& s = *impl_;
  if (creationDisposition < kCreateNew || creationDisposition > kTruncateExisting) {
    s.Fail(kErrorInvalidParameter);
    return kInvalidHandle;
  }
  if (creationDisposition == kTruncateExisting && !(desiredAccess & kGenericWrite)) {
    s.Fail(kErrorInvalidParameter);
    return kInvalidHandle;
  }
  HostTarget target;
  if (const std::uint32_t error = s.Resolve(path, target); error != kErrorSuccess) {
    s.Fail(error);
    return kInvalidHandle;
  }
  if (target.presence == Presence::kParentMissing) {
    s.Fail(kErrorPathNotFound);
    return kInvalidHandle;
  }
  const bool exists = target.presence == Presence::kExists;
  if (exists && creationDisposition == kCreateNew) {
    s.Fail(kErrorFileExists);
    return kInvalidHandle;
  }
  if (target.IsDirectory()) {
    s.Fail(kErrorAccessDenied);
    return kInvalidHandle;
  }
  // A final "\" asks for a folder; a file or a new name cannot be one.
  if (target.path.trailingSeparator) {
    s.Fail(kErrorInvalidName);
    return kInvalidHandle;
  }
  if (!exists && (creationDisposition == kOpenExisting || creationDisposition == kTruncateExisting)) {
    s.Fail(kErrorFileNotFound);
    return kInvalidHandle;
  }
  const bool truncates = creationDisposition == kCreateAlways || creationDisposition == kTruncateExisting;
  const bool writes = (desiredAccess & kGenericWrite) != 0;
  if (exists && IsReadOnly(target.FileInfo()) && (writes || truncates)) {
    s.Fail(kErrorAccessDenied);
    return kInvalidHandle;
  }
  // A new stream of a missing file brings the file into being, empty.
  if (!exists && target.IsStream() && target.basePresence == Presence::kMissing) {
    const int base = ::open(target.baseHost.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (base < 0) {
      s.Fail(ErrorFromErrno(errno));
      return kInvalidHandle;
    }
    ::close(base);
  }

  // Every descriptor can read, so that it can hold the share-mode locks;
  // the handle's own access is enforced by ReadFile and WriteFile.
  int flags = O_CLOEXEC | (writes || (exists && truncates) ? O_RDWR : O_RDONLY);
  if (!exists) flags |= O_CREAT | O_EXCL;
  const int fd = ::open(target.host.c_str(), flags, 0666);
  if (fd < 0) {
    s.Fail(ErrorFromErrno(errno));
    return kInvalidHandle;
  }
  // Checked before truncating: a refused open must not empty the other handle's file.
  if (exists && ConflictsWithOtherHandles(fd, desiredAccess, shareMode)) {
    ::close(fd);
    s.Fail(kErrorSharingViolation);
    return kInvalidHandle;
  }
  HoldShareMarkers(fd, desiredAccess, shareMode);
  if (exists && truncates && ::ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    s.Fail(ErrorFromErrno(error));
    return kInvalidHandle;
  }
  const Handle handle = s.nextHandle;
  s.nextHandle += 4;
  s.handles.emplace(handle, Impl::OpenFile{fd, desiredAccess});
  // Like Windows, a successful open reports whether it found the file already there.
  const bool reportsExisting = creationDisposition == kCreateAlways || creationDisposition == kOpenAlways;
  s.lastError = exists && reportsExisting ? kErrorAlreadyExists : kErrorSuccess;
  return handle;
}

bool SimFiles::ReadFile(Handle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& bytesRead) {
  bytesRead = 0;
  Impl::OpenFile* open = impl_->Find(file);
  if (open == nullptr) return impl_->Fail(kErrorInvalidHandle);
  if (!(open->access & kGenericRead)) return impl_->Fail(kErrorAccessDenied);
  auto* out = static_cast<char*>(buffer);
  while (bytesRead < bytesToRead) {
    const ssize_t n = ::read(open->fd, out + bytesRead, bytesToRead - bytesRead);
    if (n < 0) {
      if (errno == EINTR) continue;
      return impl_->Fail(ErrorFromErrno(errno));
    }
    if (n == 0) break;  // end of file: success with fewer bytes, as Windows reports it
    bytesRead += static_cast<std::uint32_t>(n);
  }
  return true;
}

bool SimFiles::WriteFile(Handle file, const void* data, std::uint32_t bytesToWrite,
                         std::uint32_t& bytesWritten) {
  bytesWritten = 0;
  Impl& s = *impl_;
  Impl::OpenFile* open = s.Find(file);
  if (open == nullptr) return s.Fail(kErrorInvalidHandle);
  if (!(open->access & kGenericWrite)) return s.Fail(kErrorAccessDenied);
  // NTFS allocates the whole write before copying any of it: a write that
  // does not fit writes nothing.
  if (s.diskSpace && bytesToWrite > *s.diskSpace - s.bytesWritten) return s.Fail(kErrorDiskFull);
  std::size_t written = 0;
  const bool ok = WriteAll(open->fd, static_cast<const char*>(data), bytesToWrite, written);
  const int writeError = errno;
  bytesWritten = static_cast<std::uint32_t>(written);
  s.bytesWritten += written;
  if (!ok) return s.Fail(ErrorFromErrno(writeError));
  return true;
}

bool SimFiles::SetFilePointerEx(Handle file, std::int64_t distance, std::uint32_t moveMethod,
                                std::int64_t* newPosition) {
  Impl::OpenFile* open = impl_->Find(file);
  if (open == nullptr) return impl_->Fail(kErrorInvalidHandle);
  int whence = SEEK_SET;
  switch (moveMethod) {
    case kFileBegin:
      whence = SEEK_SET;
      break;
    case kFileCurrent:
      whence = SEEK_CUR;
      break;
    case kFileEnd:
      whence = SEEK_END;
      break;
    default:
      return impl_->Fail(kErrorInvalidParameter);
  }
  const off_t base = whence == SEEK_SET ? 0 : ::lseek(open->fd, 0, whence);
  if (base < 0) return impl_->Fail(ErrorFromErrno(errno));
  if (distance < -base) return impl_->Fail(kErrorNegativeSeek);
  if (distance > std::numeric_limits<off_t>::max() - base) return impl_->Fail(kErrorInvalidParameter);
  const off_t position = ::lseek(open->fd, static_cast<off_t>(base + distance), SEEK_SET);
  if (position < 0) return impl_->Fail(ErrorFromErrno(errno));
  if (newPosition != nullptr) *newPosition = position;
  return true;
}

bool SimFiles::GetFileSizeEx(Handle file, std::int64_t& size) {
  Impl::OpenFile* open = impl_->Find(file);
  if (open == nullptr) return impl_->Fail(kErrorInvalidHandle);
  struct stat info {};
  if (::fstat(open->fd, &info) != 0) return impl_->Fail(ErrorFromErrno(errno));
  size = info.st_size;
  return true;
}

bool SimFiles::SetEndOfFile(Handle file) {
  Impl& s = *impl_;
  Impl::OpenFile* open = s.Find(file);
  if (open == nullptr) return s.Fail(kErrorInvalidHandle);
  if (!(open->access & kGenericWrite)) return s.Fail(kErrorAccessDenied);
  struct stat info {};
  const off_t position = ::lseek(open->fd, 0, SEEK_CUR);
  if (position < 0 || ::fstat(open->fd, &info) != 0) return s.Fail(ErrorFromErrno(errno));
  // Growing a file takes disk space like writing does.
  const std::uint64_t growth =
      position > info.st_size ? static_cast<std::uint64_t>(position - info.st_size) : 0;
  if (s.diskSpace && growth > *s.diskSpace - s.bytesWritten) return s.Fail(kErrorDiskFull);
  if (::ftruncate(open->fd, position) != 0) return s.Fail(ErrorFromErrno(errno));
  s.bytesWritten += growth;
  return true;
}

bool SimFiles::CloseHandle(Handle file) {
  const auto it = impl_->handles.find(file);
  if (it == impl_->handles.end()) return impl_->Fail(kErrorInvalidHandle);
  ::close(it->second.fd);
  impl_->handles.erase(it);
  return true;
}

bool SimFiles::FlushFileBuffers(Handle file) {
  Impl& s = *impl_;
  Impl::OpenFile* open = s.Find(file);
  if (open == nullptr) return s.Fail(kErrorInvalidHandle);
  if (!(open->access & kGenericWrite)) return s.Fail(kErrorAccessDenied);
  if (s.flushFailure != kErrorSuccess) return s.Fail(s.flushFailure);
  return true;
}

bool SimFiles::MoveFileExW(std::u16string_view existingPath, std::u16string_view newPath,
                           std::uint32_t flags) {
  Impl& s = *impl_;
  if ((flags & ~(kMoveFileReplaceExisting | kMoveFileCopyAllowed | kMoveFileWriteThrough)) != 0)
    return s.Fail(kErrorInvalidParameter);
  HostTarget source;
  HostTarget target;
  if (const std::uint32_t error = s.Resolve(existingPath, source); error != kErrorSuccess)
    return s.Fail(error);
  if (source.presence != Presence::kExists)
    return s.Fail(source.presence == Presence::kMissing ? kErrorFileNotFound : kErrorPathNotFound);
  if (source.path.trailingSeparator && !source.IsDirectory()) return s.Fail(kErrorInvalidName);
  if (const std::uint32_t error = s.Resolve(newPath, target); error != kErrorSuccess) return s.Fail(error);
  if (target.presence == Presence::kParentMissing) return s.Fail(kErrorPathNotFound);
  if (source.IsStream() || target.IsStream()) return s.Fail(kErrorInvalidParameter);
  if (source.path.drive != target.path.drive && !(flags & kMoveFileCopyAllowed))
    return s.Fail(kErrorNotSameDevice);
  if (HeldByAHandle(source.host)) return s.Fail(kErrorSharingViolation);
  // The same file under another spelling (a change of case) is a plain rename.
  const bool sameFile = target.presence == Presence::kExists && source.info.st_dev == target.info.st_dev &&
                        source.info.st_ino == target.info.st_ino;
  if (target.presence == Presence::kExists && !sameFile) {
    if (!(flags & kMoveFileReplaceExisting)) return s.Fail(kErrorAlreadyExists);
    if (target.IsDirectory() || source.IsDirectory() || IsReadOnly(target.info) || HeldByAHandle(target.host))
      return s.Fail(kErrorAccessDenied);
  }
  if (target.path.trailingSeparator && !source.IsDirectory()) return s.Fail(kErrorInvalidName);
  if (::rename(source.host.c_str(), target.host.c_str()) != 0) return s.Fail(ErrorFromErrno(errno));
  return true;
}

bool SimFiles::DeleteFileW(std::u16string_view path) {
  Impl& s = *impl_;
  HostTarget target;
  if (const std::uint32_t error = s.Resolve(path, target); error != kErrorSuccess) return s.Fail(error);
  if (target.presence != Presence::kExists)
    return s.Fail(target.presence == Presence::kMissing ? kErrorFileNotFound : kErrorPathNotFound);
  if (target.IsDirectory()) return s.Fail(kErrorAccessDenied);
  if (target.path.trailingSeparator) return s.Fail(kErrorInvalidName);
  if (IsReadOnly(target.FileInfo())) return s.Fail(kErrorAccessDenied);
  if (HeldByAHandle(target.host)) return s.Fail(kErrorSharingViolation);
  if (::unlink(target.host.c_str()) != 0) return s.Fail(ErrorFromErrno(errno));
  return true;
}

Handle SimFiles::FindFirstFileW(std::u16string_view pattern, FindData& data) {
  Impl& s = *impl_;
  const std::u16string_view text = pattern.substr(0, pattern.find(u'\0'));
  // The folder is every name but the last, which alone may hold wildcards.
  std::u16string folder;
  std::u16string_view wanted = text;
  if (const std::size_t separator = text.find_last_of(u"\\/"); separator != std::u16string_view::npos) {
    folder = text.substr(0, separator + 1);
    wanted = text.substr(separator + 1);
  } else if (text.size() >= 2 && text[1] == u':') {
    folder = text.substr(0, 2);
    wanted = text.substr(2);
  } else {
    folder = u".";
  }
  for (const char16_t c : wanted) {
    if (c != u'*' && c != u'?' && IsInvalidNameCharacter(c)) {
      s.Fail(kErrorInvalidName);
      return kInvalidHandle;
    }
  }
  HostTarget target;
  if (const std::uint32_t error = s.Resolve(folder, target); error != kErrorSuccess) {
    s.Fail(error);
    return kInvalidHandle;
  }
  if (target.presence != Presence::kExists || target.IsStream()) {
    s.Fail(kErrorPathNotFound);
    return kInvalidHandle;
  }
  if (!target.IsDirectory()) {
    s.Fail(kErrorDirectory);
    return kInvalidHandle;
  }

  Impl::Search search;
  if (!wanted.empty()) {
    if (!target.IsDriveRoot()) {
      for (const std::u16string_view self : {u".", u".."}) {
        if (MatchesPattern(self, wanted))
          search.entries.push_back(FindData{kFileAttributeDirectory, std::u16string(self)});
      }
    }
    std::vector<FindData> names;
    if (DIR* dir = ::opendir(target.host.c_str())) {
      while (const dirent* entry = ::readdir(dir)) {
        const std::string_view stored = entry->d_name;
        // Streams are kept beside their files under names no Windows file has.
        if (stored == "." || stored == ".." || stored.find(':') != std::string_view::npos) continue;
        std::u16string name = WindowsNameOf(stored);
        if (!MatchesPattern(name, wanted)) continue;
        struct stat info {};
        if (::stat((target.host + '/' + std::string(stored)).c_str(), &info) != 0) continue;
        const std::uint32_t attributes =
            S_ISDIR(info.st_mode) ? kFileAttributeDirectory
                                  : kFileAttributeArchive | (IsReadOnly(info) ? kFileAttributeReadOnly : 0);
        names.push_back(FindData{attributes, std::move(name)});
      }
      ::closedir(dir);
    }
    std::sort(names.begin(), names.end(),
              [](const FindData& a, const FindData& b) { return ListsBefore(a.fileName, b.fileName); });
    search.entries.insert(search.entries.end(), std::make_move_iterator(names.begin()),
                          std::make_move_iterator(names.end()));
  }
  if (search.entries.empty()) {
    s.Fail(kErrorFileNotFound);
    return kInvalidHandle;
  }
  data = search.entries.front();
  search.next = 1;
  const Handle handle = s.nextHandle;
  s.nextHandle += 4;
  s.searches.emplace(handle, std::move(search));
  s.lastError = kErrorSuccess;
  return handle;
}

bool SimFiles::FindNextFileW(Handle search, FindData& data) {
  const auto it = impl_->searches.find(search);
  if (it == impl_->searches.end()) return impl_->Fail(kErrorInvalidHandle);
  Impl::Search& found = it->second;
  if (found.next == found.entries.size()) return impl_->Fail(kErrorNoMoreFiles);
  data = found.entries[found.next++];
  return true;
}

bool SimFiles::FindClose(Handle search) {
  if (impl_->searches.erase(search) == 0) return impl_->Fail(kErrorInvalidHandle);
  return true;
}

bool SimFiles::CreateDirectoryW(std::u16string_view path) {
  HostTarget target;
  if (const std::uint32_t error = impl_->Resolve(path, target); error != kErrorSuccess) {
    return impl_->Fail(error);
  }
  // Room is kept for an 8.3 name inside every folder.
  if (target.path.Text().size() > kMaxDirectoryPathLength) return impl_->Fail(kErrorFilenameExcedRange);
  if (target.IsStream()) return impl_->Fail(kErrorInvalidName);
  if (target.IsDriveRoot()) return impl_->Fail(kErrorAccessDenied);
  if (target.presence == Presence::kExists) return impl_->Fail(kErrorAlreadyExists);
  if (target.presence == Presence::kParentMissing) return impl_->Fail(kErrorPathNotFound);
  if (::mkdir(target.host.c_str(), 0777) != 0) {
    return impl_->Fail(errno == EEXIST ? kErrorAlreadyExists : ErrorFromErrno(errno));
  }
  return true;
}

std::u16string SimFiles::GetCurrentDirectoryW() { return impl_->currentDirectory.Text(); }

bool SimFiles::SetCurrentDirectoryW(std::u16string_view path) {
  HostTarget target;
  if (const std::uint32_t error = impl_->Resolve(path, target); error != kErrorSuccess) {
    return impl_->Fail(error);
  }
  if (target.presence == Presence::kMissing) return impl_->Fail(kErrorFileNotFound);
  if (target.presence == Presence::kParentMissing) return impl_->Fail(kErrorPathNotFound);
  if (!target.IsDirectory()) return impl_->Fail(kErrorDirectory);
  target.path.trailingSeparator = false;
  impl_->currentDirectory = std::move(target.path);
  return true;
}

bool SimFiles::GetFileVersionFixed(std::u16string_view path, std::uint32_t& versionMS,
                                   std::uint32_t& versionLS) {
  const auto* resource = impl_->FindVersion(path);
  if (resource == nullptr) return false;
  versionMS = resource->versionMS;
  versionLS = resource->versionLS;
  return true;
}

bool SimFiles::GetFileVersionString(std::u16string_view path, std::u16string_view subBlock,
                                    std::u16string& value) {
  const auto* resource = impl_->FindVersion(path);
  if (resource == nullptr) return false;
  // Sub-block keys compare without regard to case, as VerQueryValueW does.
  for (const auto& [key, text] : resource->strings) {
    if (EqualsIgnoringAsciiCase(key, subBlock)) {
      value = text;
      return true;
    }
  }
  return impl_->Fail(kErrorResourceTypeNotFound);
}

std::uint32_t SimFiles::GetLastError() { return impl_->lastError; }

std::filesystem::path SimFiles::HostPath(std::u16string_view windowsPath) {
  HostTarget target;
  if (impl_->Resolve(windowsPath, target) != kErrorSuccess) return {};
  return std::filesystem::path(target.host);
}

void SimFiles::AddDrive(char16_t letter) {
  if (!IsAsciiLetter(letter)) return;
  const char16_t drive = ToUpperAsciiLetter(letter);
  std::filesystem::create_directories(impl_->DriveRoot(drive));
  impl_->drives[static_cast<std::size_t>(drive - u'A')] = true;
}

void SimFiles::MapDrive(char16_t letter, const std::filesystem::path& hostFolder) {
  if (!IsAsciiLetter(letter)) return;
  const char16_t drive = ToUpperAsciiLetter(letter);
  impl_->mappedDrives[static_cast<std::size_t>(drive - u'A')] = hostFolder.string();
  AddDrive(drive);
}

void SimFiles::SetDiskSpace(std::uint64_t bytes) {
  impl_->diskSpace = bytes;
  impl_->bytesWritten = 0;
}

void SimFiles::SetFlushFailure(std::uint32_t error) { impl_->flushFailure = error; }

void SimFiles::SetVersionResource(std::u16string_view path, std::uint32_t versionMS, std::uint32_t versionLS,
                                  std::map<std::u16string, std::u16string> strings) {
  HostTarget target;
  if (impl_->Resolve(path, target) != kErrorSuccess) return;
  impl_->versions[target.host] = Impl::VersionResource{versionMS, versionLS, std::move(strings)};
}

std::size_t SimFiles::OpenHandles() const { return impl_->handles.size() + impl_->searches.size(); }

}  // namespace velmoran::platform::sim
